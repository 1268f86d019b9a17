#pragma once

#include <QDialog>

namespace kestrel {

// The custom label editor, template 138. On Save it writes the settings file
// and has the main window reload the label size (message 1025).
class DialogEditCustomLabel : public QDialog {
  Q_OBJECT

 public:
  explicit DialogEditCustomLabel(QWidget* mainWindow);
};

}  // namespace kestrel
