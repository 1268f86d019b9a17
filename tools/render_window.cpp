// Renders the main window in Chinese and in English to PNG files, without a
// display: kestrel-render-window [output folder, default "docs"].
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "language/TranslationMap.h"
#include "ui/CKestrelDlg.h"

namespace {

bool Render(std::int32_t codePage, const QString& path) {
  kestrel::LoadTranslations(codePage);
  kestrel::CKestrelDlg window;
  window.show();
  QApplication::processEvents();
  const bool saved = window.grab().save(path, "PNG");
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  // The window reads the custom label size from its settings file; keep the
  // operator's own file out of it.
  QTemporaryDir dataFolder;
  setenv("XDG_DATA_HOME", qPrintable(dataFolder.path()), 1);
  // A screen of 1920 x 1080 at 96 dpi, on which the window shows at the size
  // its template gives (the offscreen screen's own 800 x 600 would shrink it).
  QFile screens(dataFolder.filePath(QStringLiteral("screens.json")));
  if (screens.open(QIODevice::WriteOnly))
    screens.write(R"({"screens": [{"name": "shot", "x": 0, "y": 0, "width": 1920, "height": 1080,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  screens.close();
  setenv("QT_QPA_PLATFORM", qPrintable(QStringLiteral("offscreen:configfile=") + screens.fileName()), 0);

  QApplication app(argc, argv);
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(style);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
  QDir().mkpath(folder);
  const bool chinese = Render(936, folder + QStringLiteral("/kestrel-zh.png"));
  const bool english = Render(1252, folder + QStringLiteral("/kestrel-en.png"));
  return chinese && english ? 0 : 1;
}
