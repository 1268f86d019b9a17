#include "ui/CKestrelApp.h"

#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/CKestrelDlg.h"
#include "window/WindowArguments.h"

namespace kestrel {

int CKestrelApp::InitInstance(int argc, char** argv) {
  // Answered before Qt looks for a display, so that --help and --version
  // work on a console without one.
  const WindowStart start = ReadWindowArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  if (!start.openWindow) {
    std::fputs(start.output.c_str(), stdout);
    std::fputs(start.error.c_str(), stderr);
    return start.status;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kestrel"));
  QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(style);

  // The window's result is not used; the application ends when it closes.
  CKestrelDlg dialog;
  dialog.exec();
  return 0;
}

}  // namespace kestrel
