#include "ui/DialogEditCustomLabel.h"

namespace kestrel {

DialogEditCustomLabel::DialogEditCustomLabel(QWidget* mainWindow) : QDialog(mainWindow) {}

}  // namespace kestrel
