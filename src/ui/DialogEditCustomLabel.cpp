#include "ui/DialogEditCustomLabel.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/CKestrelDlg.h"
#include "ui/DialogBuilder.h"
#include "ui/QtDialogControls.h"
#include "window/CustomLabelEditor.h"
#include "window/SettingsFileMessage.h"

namespace kestrel {

DialogEditCustomLabel::DialogEditCustomLabel(QWidget* mainWindow)
    : DialogEditCustomLabel(mainWindow, GetLabelSettings()) {}

DialogEditCustomLabel::DialogEditCustomLabel(QWidget* mainWindow, const LabelSettings& settings)
    : QDialog(mainWindow),
      settings_(settings),
      controls_(std::make_unique<DialogBuilder>(*this, CustomLabelTemplate())) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Neither button is the default: Enter closes the editor (see keyPressEvent).
  for (int id : {1031, 1041}) {
    if (auto* button = controls_->ControlAs<QPushButton>(id)) button->setAutoDefault(false);
  }
  connect(controls_->ControlAs<QPushButton>(1031), &QPushButton::clicked, this, &DialogEditCustomLabel::Save);
  connect(controls_->ControlAs<QPushButton>(1041), &QPushButton::clicked, this, &QDialog::reject);
  LoadControls();
}

DialogEditCustomLabel::~DialogEditCustomLabel() = default;

QWidget* DialogEditCustomLabel::Control(int id) const { return controls_->Control(id); }

void DialogEditCustomLabel::LoadControls() {
  QtDialogControls controls(*controls_);
  LoadCustomLabelEditor(settings_, controls);
}

// A save that fails keeps the editor open with the reason, and the main
// window hears of nothing: the file still holds what it showed.
void DialogEditCustomLabel::Save() {
  const FileResult saved = SaveCustomLabelEditor(settings_, QtDialogControls(*controls_));
  if (!saved.ok()) return ShowMessage(SettingsNotSavedMessage(saved, settings_.FilePath));
  CKestrelDlg::NotifyCustomLabelSizeChanged(parentWidget());
  reject();
}

// A file that cannot be read shows zeros; the operator is told why once the
// editor is on the screen.
void DialogEditCustomLabel::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (toldUnreadable_) return;
  toldUnreadable_ = true;
  if (const FileResult readable = settings_.CheckFile(); !readable.ok())
    QTimer::singleShot(0, this,
                       [this, readable] { ShowMessage(SettingsUnreadableMessage(readable, settings_.FilePath)); });
}

void DialogEditCustomLabel::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kestrel"), QString::fromStdString(text), QMessageBox::Ok, this);
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
}

void DialogEditCustomLabel::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // As the dialog manager does: Enter on a focused button presses it,
    // anywhere else it ends the dialog without writing.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
      button->click();
    else
      accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kestrel
