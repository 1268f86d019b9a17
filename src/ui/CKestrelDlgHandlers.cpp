#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "ui/CKestrelDlg.h"
#include "ui/DialogBuilder.h"

namespace kestrel {

// Every button, list and one-line edit of the template hands its events to
// the controller, which decides what each id does.
void CKestrelDlg::ForwardEvents() {
  QObject::connect(agingTimer_, &QTimer::timeout, this, [this] { controller_->OnAgingTimer(); });
  QObject::connect(progressTimer_, &QTimer::timeout, this,
                   [this] { setWindowTitle(QString::fromStdString(controller_->ProgressTitle())); });
  for (auto [id, control] : controls_->Controls().asKeyValueRange()) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      QObject::connect(button, &QAbstractButton::clicked, this, [this, id] { controller_->OnClicked(id); });
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      QObject::connect(list, &QComboBox::activated, this,
                       [this, id](int index) { controller_->OnSelection(id, index); });
      // Typing, not a picked row's text, is what the controller hears of.
      if (QLineEdit* typed = list->lineEdit())
        QObject::connect(typed, &QLineEdit::textEdited, this,
                         [this, id](const QString& text) { controller_->OnTextChanged(id, text.toStdString()); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      QObject::connect(edit, &QLineEdit::textChanged, this,
                       [this, id](const QString& text) { controller_->OnTextChanged(id, text.toStdString()); });
    }
  }
}

}  // namespace kestrel
