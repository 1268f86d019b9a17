#pragma once

#include <QDialog>
#include <memory>

#include "customlabel/LabelSettings.h"
#include "window/DialogTemplate.h"

class QKeyEvent;

namespace kestrel {

class DialogBuilder;

// The custom label editor, template 138. It shows what the settings file
// holds when it is made; Save writes every control back, has the main window
// reload the label size (message 1025) and closes. Cancel, Enter, Esc and the
// close box close without writing.
class DialogEditCustomLabel : public QDialog {
  Q_OBJECT

 public:
  explicit DialogEditCustomLabel(QWidget* mainWindow);
  // The same on another settings file, for tests.
  DialogEditCustomLabel(QWidget* mainWindow, const LabelSettings& settings);
  ~DialogEditCustomLabel() override;

  // Every control of the template by its numeric id; nullptr for an unknown id.
  QWidget* Control(int id) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void LoadControls();
  void Save();

  const LabelSettings& settings_;
  std::unique_ptr<DialogBuilder> controls_;
};

}  // namespace kestrel
