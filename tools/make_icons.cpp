// Writes the window icon as the PNG files of the desktop's icon theme:
//   make_icons ICON.bmp OUTPUT_DIR SIZE...
// gives OUTPUT_DIR/SIZExSIZE/apps/kestrel.png for each size. Whole multiples
// of the icon's own size keep its pixels sharp; other sizes are smoothed.
#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_icons ICON OUTPUT_DIR SIZE...\n");
    return 2;
  }
  const QImage icon(QString::fromLocal8Bit(argv[1]));
  if (icon.isNull() || icon.width() != icon.height()) {
    std::fprintf(stderr, "make_icons: %s is not a square picture\n", argv[1]);
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    if (size < 1) return 2;
    const Qt::TransformationMode mode = size % icon.width() == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    const QString path = folder + QStringLiteral("/kestrel.png");
    if (!QDir().mkpath(folder) || !icon.scaled(size, size, Qt::IgnoreAspectRatio, mode).save(path, "PNG")) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
