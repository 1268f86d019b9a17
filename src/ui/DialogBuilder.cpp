#include "ui/DialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextEdit>

#include "ui/ResourcePictures.h"

namespace kestrel {

namespace {

int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  return static_cast<int>((product >= 0 ? product + denominator / 2 : product - denominator / 2) / denominator);
}

QLabel* MakeLabel(QWidget* parent, const DialogControl& control) {
  auto* label = new QLabel(QString::fromUtf8(control.caption), parent);
  Qt::Alignment alignment = Qt::AlignLeft;
  if (control.kind == ControlKind::RightLabel) alignment = Qt::AlignRight;
  if (control.kind == ControlKind::CentreLabel) alignment = Qt::AlignHCenter;
  label->setAlignment(alignment | Qt::AlignTop);
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLineEdit* MakeEdit(QWidget* parent, const DialogControl& control) {
  auto* edit = new QLineEdit(QString::fromUtf8(control.caption), parent);
  edit->setAlignment(control.kind == ControlKind::LeftEdit ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
  if (control.kind != ControlKind::Edit && control.kind != ControlKind::LeftEdit) {
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  }
  edit->setReadOnly(control.kind == ControlKind::ReadOnlyDigitEdit);
  return edit;
}

QPushButton* MakeButton(QDialog& dialog, const DialogControl& control) {
  auto* button = new QPushButton(QString::fromUtf8(control.caption), &dialog);
  if (control.kind == ControlKind::DefaultPushButton) {
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
  }
  return button;
}

QTextEdit* MakeRichText(QWidget* parent) {
  auto* text = new QTextEdit(parent);
  text->setAcceptRichText(false);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return text;
}

QLabel* MakeIcon(QWidget* parent, const DialogControl& control, const QSize& size) {
  auto* icon = new QLabel(parent);
  const QPixmap picture = ResourcePixmap(control.resource);
  if (!picture.isNull()) icon->setPixmap(picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  return icon;
}

constexpr double kSmallestPoints = 6.5;

QString LongestItem(const QComboBox& list, const QFontMetrics& metrics) {
  QString longest;
  for (int row = 0; row < list.count(); ++row) {
    const QString item = list.itemText(row);
    if (metrics.horizontalAdvance(item) > metrics.horizontalAdvance(longest)) longest = item;
  }
  return longest;
}

// The caption a control shows and the width it has for it; false for
// controls whose text may wrap or scroll.
bool CaptionRoom(QWidget* widget, QString* text, int* room) {
  const int oneLine = 2 * widget->fontMetrics().height();
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (!label->pixmap().isNull() || label->height() >= oneLine) return false;
    label->setWordWrap(false);
    *text = label->text();
    *room = label->width();
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    *text = check->text();
    *room = check->width() - 22;
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    *text = button->text();
    *room = button->width() - 8;
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    *text = group->title();
    *room = group->width() - 12;
  } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
    *text = LongestItem(*list, list->fontMetrics());
    *room = list->width() - 28;
  } else {
    return false;
  }
  return !text->isEmpty();
}

}  // namespace

DialogBaseUnits DialogBaseUnits::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  DialogBaseUnits units;
  units.x = std::max(1, (letters / 26 + 1) / 2);
  units.y = std::max(1, metrics.height());
  return units;
}

QRect DialogBaseUnits::ToPixels(int left, int top, int width, int height) const {
  return QRect(MulDiv(left, x, 4), MulDiv(top, y, 8), MulDiv(width, x, 4), MulDiv(height, y, 8));
}

QSize DialogBaseUnits::ToPixels(int width, int height) const {
  return QSize(MulDiv(width, x, 4), MulDiv(height, y, 8));
}

DialogBuilder::DialogBuilder(QDialog& dialog, const DialogTemplate& dialogTemplate) {
  QFont font = dialog.font();
  font.setPointSize(dialogTemplate.fontPoints);
  dialog.setFont(font);
  font_ = font;
  units_ = DialogBaseUnits::ForFont(font);

  dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  dialog.setFixedSize(units_.ToPixels(dialogTemplate.width, dialogTemplate.height));

  for (const DialogControl& control : dialogTemplate.controls) {
    QWidget* widget = MakeControl(dialog, control);
    QRect rect = units_.ToPixels(control.x, control.y, control.width, control.height);
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
      // The template gives the opened list's height; the closed box is one line.
      const int closed = list->sizeHint().height();
      const int itemHeight = std::max(1, list->fontMetrics().height() + 2);
      list->setMaxVisibleItems(std::max(1, (rect.height() - closed) / itemHeight));
      rect.setHeight(closed);
    }
    widget->setGeometry(rect);
    if (!control.visible) widget->setVisible(false);
    if (control.id > 0) controls_.insert(control.id, widget);
    built_.append(widget);
  }
  FitCaptions();
}

void DialogBuilder::FitCaptions() const {
  for (QWidget* widget : built_) {
    QString text;
    int room = 0;
    if (!CaptionRoom(widget, &text, &room)) continue;
    QFont font = font_;
    if (QFontMetrics(font).horizontalAdvance(text) > room) {
      font.setStretch(QFont::Condensed);
      while (QFontMetrics(font).horizontalAdvance(text) > room && font.pointSizeF() > kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    widget->setFont(font);
  }
}

QWidget* DialogBuilder::MakeControl(QDialog& dialog, const DialogControl& control) const {
  const QString caption = QString::fromUtf8(control.caption);
  switch (control.kind) {
    case ControlKind::GroupBox:
      return new QGroupBox(caption, &dialog);
    case ControlKind::Label:
    case ControlKind::RightLabel:
    case ControlKind::CentreLabel:
      return MakeLabel(&dialog, control);
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
      return MakeButton(dialog, control);
    case ControlKind::CheckBox:
      return new QCheckBox(caption, &dialog);
    case ControlKind::Edit:
    case ControlKind::LeftEdit:
    case ControlKind::DigitEdit:
    case ControlKind::ReadOnlyDigitEdit:
      return MakeEdit(&dialog, control);
    case ControlKind::DropDownList:
      return new QComboBox(&dialog);
    case ControlKind::RichText:
      return MakeRichText(&dialog);
    case ControlKind::ListBox: {
      auto* list = new QListWidget(&dialog);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      return list;
    }
    case ControlKind::Icon:
      return MakeIcon(&dialog, control, units_.ToPixels(control.width, control.height));
  }
  return new QWidget(&dialog);
}

}  // namespace kestrel
