#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace kestrel {

// A picture or icon of the program's resources, decoded; null when the
// program carries no such resource or its bytes are not a picture.
QImage ResourceImage(int id);
QPixmap ResourcePixmap(int id);
QIcon ResourceIcon(int id);

}  // namespace kestrel
