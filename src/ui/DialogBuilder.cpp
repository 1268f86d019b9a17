#include "ui/DialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTextEdit>

#include "ui/ResourcePictures.h"

namespace kestrel {

namespace {

// Room for the frame and caption bar that the window manager adds around
// the dialog, which is not known before the window is shown.
constexpr QSize kFrameAllowance(16, 40);

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

// What is typed stays as typed: no row is added for it, and no row's text is
// completed into it (typing "COM1" must not become "COM10").
QComboBox* MakeEditableList(QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setCompleter(nullptr);
  return list;
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

QString CaptionOf(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  if (const auto* check = qobject_cast<const QCheckBox*>(widget)) return check->text();
  return {};
}

}  // namespace

FontMeasures MeasureFont(const QFont& font) {
  const QFontMetrics metrics(font);
  FontMeasures measures;
  measures.emPixels = QFontInfo(font).pixelSize();
  measures.lineHeight = metrics.height();
  measures.letterWidth =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return measures;
}

QRect ToPixels(const DialogBaseUnits& units, int left, int top, int width, int height) {
  return QRect(units.ToPixelsX(left), units.ToPixelsY(top), units.ToPixelsX(width), units.ToPixelsY(height));
}

QSize ToPixels(const DialogBaseUnits& units, int width, int height) {
  return QSize(units.ToPixelsX(width), units.ToPixelsY(height));
}

DialogBuilder::DialogBuilder(QDialog& dialog, const DialogTemplate& dialogTemplate, std::optional<QRect> workArea) {
  const QRect area = workArea ? *workArea : dialog.screen() ? dialog.screen()->availableGeometry() : QRect();
  QFont font = dialog.font();
  const auto unitsAt = [&](double scale) {
    font.setPointSizeF(dialogTemplate.fontPoints * scale);
    return DialogBaseUnits::ForFont(MeasureFont(font));
  };
  fitScale_ = kestrel::FitScale(
      [&](double scale) {
        const QSize size = ToPixels(unitsAt(scale), dialogTemplate.width, dialogTemplate.height) + kFrameAllowance;
        return PixelSize{size.width(), size.height()};
      },
      {area.width(), area.height()});
  units_ = unitsAt(fitScale_);
  dialog.setFont(font);
  font_ = font;

  dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  dialog.setFixedSize(ToPixels(units_, dialogTemplate.width, dialogTemplate.height));

  for (const DialogControl& control : dialogTemplate.controls) {
    QWidget* widget = MakeControl(dialog, control);
    QRect rect = ToPixels(units_, control.x, control.y, control.width, control.height);
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
  dialog_ = &dialog;
  templateControls_ = dialogTemplate.controls;
  nameSources_ = FindNameSources(templateControls_);
  for (const NameSource& source : nameSources_) {
    if (source.label < 0) continue;
    if (auto* buddy = qobject_cast<QLabel*>(built_[source.label]))
      buddy->setBuddy(built_[static_cast<qsizetype>(source.control)]);
  }
  FitCaptions();
}

void DialogBuilder::NameControls() const {
  const auto captionOf = [&](std::size_t index) {
    return CaptionOf(built_[static_cast<qsizetype>(index)]).toStdString();
  };
  const std::vector<std::string> names =
      AccessibleNames(templateControls_, nameSources_, captionOf, dialog_->windowTitle().toStdString());
  for (std::size_t i = 0; i < nameSources_.size(); ++i) {
    QWidget* control = built_[static_cast<qsizetype>(nameSources_[i].control)];
    control->setAccessibleName(QString::fromStdString(names[i]));
    // A list that takes typing answers by its name also where it is typed into.
    if (auto* list = qobject_cast<QComboBox*>(control); list && list->lineEdit())
      list->lineEdit()->setAccessibleName(control->accessibleName());
  }
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
  NameControls();
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
    case ControlKind::DropDownEdit:
      return MakeEditableList(&dialog);
    case ControlKind::RichText:
      return MakeRichText(&dialog);
    case ControlKind::ListBox: {
      auto* list = new QListWidget(&dialog);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      return list;
    }
    case ControlKind::Icon:
      return MakeIcon(&dialog, control, ToPixels(units_, control.width, control.height));
  }
  return new QWidget(&dialog);
}

}  // namespace kestrel
