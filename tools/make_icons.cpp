// Writes the window icon as the PNG files of the desktop's icon theme:
//   make_icons ICON.bmp OUTPUT_DIR SIZE...
// gives OUTPUT_DIR/SIZExSIZE/apps/kestrel.png for each size. Whole multiples
// of the icon's own size keep its pixels sharp; other sizes are smoothed.
// The white around the mark becomes transparent, so that the round mark sits
// on a dark panel without a white square.
#include <QDir>
#include <QImage>
#include <QList>
#include <QPoint>
#include <cstdio>

namespace {

// Clears the white pixels reachable from the picture's edge.
QImage WithoutWhiteSurround(const QImage& picture) {
  QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  const auto white = [&image](int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return qAlpha(pixel) != 0 && qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240;
  };
  QList<QPoint> pending;
  for (int i = 0; i < image.width(); ++i)
    pending << QPoint(i, 0) << QPoint(i, image.height() - 1) << QPoint(0, i) << QPoint(image.width() - 1, i);
  while (!pending.isEmpty()) {
    const QPoint point = pending.takeLast();
    if (!image.rect().contains(point) || !white(point.x(), point.y())) continue;
    image.setPixel(point, qRgba(255, 255, 255, 0));
    pending << point + QPoint(1, 0) << point - QPoint(1, 0) << point + QPoint(0, 1) << point - QPoint(0, 1);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_icons ICON OUTPUT_DIR SIZE...\n");
    return 2;
  }
  const QImage picture(QString::fromLocal8Bit(argv[1]));
  if (picture.isNull() || picture.width() != picture.height()) {
    std::fprintf(stderr, "make_icons: %s is not a square picture\n", argv[1]);
    return 1;
  }
  const QImage icon = WithoutWhiteSurround(picture);
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
