#include "ui/CKestrelApp.h"

#include <QStyleFactory>

#include "ui/CKestrelDlg.h"

namespace kestrel {

int CKestrelApp::InitInstance(int argc, char** argv) {
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
