#include "ui/QtDialogControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace kestrel {

std::optional<std::string> QtDialogControls::Text(int id) const {
  QWidget* control = controls_.Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text().toStdString();
  if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText().toStdString();
  if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title().toStdString();
  return std::nullopt;
}

void QtDialogControls::SetText(int id, const std::string& text) {
  const QString shown = QString::fromStdString(text);
  QWidget* control = controls_.Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(shown);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(shown);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(shown);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(shown);
  }
}

std::optional<bool> QtDialogControls::Checked(int id) const {
  auto* button = controls_.ControlAs<QAbstractButton>(id);
  if (!button || !button->isCheckable()) return std::nullopt;
  return button->isChecked();
}

void QtDialogControls::SetChecked(int id, bool checked) {
  if (auto* button = controls_.ControlAs<QAbstractButton>(id)) button->setChecked(checked);
}

std::optional<int> QtDialogControls::Selection(int id) const {
  auto* list = controls_.ControlAs<QComboBox>(id);
  if (!list) return std::nullopt;
  return list->currentIndex();
}

}  // namespace kestrel
