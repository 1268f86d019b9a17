#include "ui/DialogEditCustomLabel.h"

#include <QKeyEvent>
#include <QPushButton>

#include "ui/CKestrelDlg.h"
#include "ui/DialogBuilder.h"
#include "ui/QtDialogControls.h"
#include "window/CustomLabelEditor.h"

namespace kestrel {

DialogEditCustomLabel::DialogEditCustomLabel(QWidget* mainWindow)
    : DialogEditCustomLabel(mainWindow, GetLabelSettings()) {}

DialogEditCustomLabel::DialogEditCustomLabel(QWidget* mainWindow, const LabelSettings& settings)
    : QDialog(mainWindow), settings_(settings), controls_(std::make_unique<DialogBuilder>(*this, CustomLabelTemplate())) {
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

void DialogEditCustomLabel::Save() {
  SaveCustomLabelEditor(settings_, QtDialogControls(*controls_));
  CKestrelDlg::NotifyCustomLabelSizeChanged(parentWidget());
  reject();
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
