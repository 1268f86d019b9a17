#include "ui/ResourcePictures.h"

#include "resources/Resources.h"

namespace kestrel {

QImage ResourceImage(int id) {
  const auto bytes = FindResource(id);
  if (bytes.empty()) return {};
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
}

QPixmap ResourcePixmap(int id) { return QPixmap::fromImage(ResourceImage(id)); }

QIcon ResourceIcon(int id) {
  const QPixmap picture = ResourcePixmap(id);
  return picture.isNull() ? QIcon() : QIcon(picture);
}

}  // namespace kestrel
