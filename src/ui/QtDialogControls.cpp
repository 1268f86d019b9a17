#include "ui/QtDialogControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>

namespace kestrel {

namespace {

// The box's characters as typed, each line ended with CR LF as the operator's
// content goes to the printer. The box keeps lines as paragraphs; its raw
// text, unlike its plain text, keeps a no-break space what it is.
std::string BoxText(const QTextEdit& box) {
  QString text = box.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return text.toStdString();
}

QString AsParagraphs(const std::string& text) {
  QString plain = QString::fromStdString(text);
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return plain;
}

}  // namespace

std::optional<std::string> QtDialogControls::Text(int id) const {
  QWidget* control = controls_.Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
  if (auto* box = qobject_cast<QTextEdit*>(control)) return BoxText(*box);
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
  } else if (auto* box = qobject_cast<QTextEdit*>(control)) {
    box->setPlainText(AsParagraphs(text));
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(shown);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(shown);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(shown);
  } else if (auto* list = qobject_cast<QComboBox*>(control); list && list->isEditable()) {
    list->setEditText(shown);
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

std::optional<bool> QtDialogControls::Enabled(int id) const {
  QWidget* control = controls_.Control(id);
  if (!control) return std::nullopt;
  return control->isEnabled();
}

void QtDialogControls::SetEnabled(int id, bool enabled) {
  if (QWidget* control = controls_.Control(id)) control->setEnabled(enabled);
}

}  // namespace kestrel
