#pragma once

#include <QDialog>
#include <memory>

#include "customlabel/LabelSettings.h"
#include "window/DialogTemplate.h"

class QKeyEvent;
class QShowEvent;

namespace kestrel {

class DialogBuilder;

// The custom label editor, template 138. It shows what the settings file
// holds when it is made; Save writes every control back, has the main window
// reload the label size (message 1025) and closes, or, when the file cannot
// be written, stays open and says why. Cancel, Enter, Esc and the close box
// close without writing.
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
  void showEvent(QShowEvent* event) override;

 private:
  void LoadControls();
  void Save();
  // A message box of the editor's own: OK only, no icon.
  void ShowMessage(const std::string& text);

  const LabelSettings& settings_;
  std::unique_ptr<DialogBuilder> controls_;
  bool toldUnreadable_ = false;
};

}  // namespace kestrel
