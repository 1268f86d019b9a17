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

bool IsLabel(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::RightLabel || kind == ControlKind::CentreLabel;
}

// Edits, lists and check boxes: the controls the operator fills in and a
// screen reader must name.
bool NeedsName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit:
    case ControlKind::LeftEdit:
    case ControlKind::DigitEdit:
    case ControlKind::ReadOnlyDigitEdit:
    case ControlKind::DropDownList:
    case ControlKind::DropDownEdit:
    case ControlKind::CheckBox:
    case ControlKind::RichText:
    case ControlKind::ListBox:
      return true;
    default:
      return false;
  }
}

// The rectangle a control shows, in dialog units; a drop-down list's template
// height is that of its opened list, so its closed box counts here.
QRect ShownRect(const DialogControl& control) {
  const bool dropDown = control.kind == ControlKind::DropDownList || control.kind == ControlKind::DropDownEdit;
  const int height = dropDown ? std::min(control.height, 14) : control.height;
  return QRect(control.x, control.y, control.width, height);
}

bool SameLine(const QRect& a, const QRect& b) { return a.top() <= b.bottom() && b.top() <= a.bottom(); }

// The label whose right edge is nearest on the left of controls[index] on the
// same line, with no other control between them; -1 when there is none.
int LeftLabel(std::span<const DialogControl> controls, std::size_t index) {
  constexpr int kSlack = 2;  // templates let a label touch its control
  const QRect target = ShownRect(controls[index]);
  int best = -1;
  int bestRight = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const QRect rect = ShownRect(controls[i]);
    if (!IsLabel(controls[i].kind) || !SameLine(rect, target) || rect.x() + rect.width() > target.x() + kSlack)
      continue;
    if (best < 0 || rect.x() + rect.width() > bestRight) {
      best = static_cast<int>(i);
      bestRight = rect.x() + rect.width();
    }
  }
  for (std::size_t i = 0; best >= 0 && i < controls.size(); ++i) {
    const QRect rect = ShownRect(controls[i]);
    if (i != index && !IsLabel(controls[i].kind) && controls[i].kind != ControlKind::GroupBox &&
        SameLine(rect, target) && rect.x() >= bestRight - kSlack && rect.x() < target.x())
      return -1;
  }
  return best;
}

// The smallest group box around controls[index]; -1 when it stands in none.
int EnclosingGroup(std::span<const DialogControl> controls, std::size_t index) {
  const QRect target = ShownRect(controls[index]);
  int best = -1;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::GroupBox || !ShownRect(controls[i]).contains(target)) continue;
    const auto area = [&](std::size_t j) { return controls[j].width * controls[j].height; };
    if (best < 0 || area(i) < area(static_cast<std::size_t>(best))) best = static_cast<int>(i);
  }
  return best;
}

QString CaptionOf(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  if (const auto* check = qobject_cast<const QCheckBox*>(widget)) return check->text();
  return {};
}

// "打印份数:" and "Print copies:" name their controls without the colon.
QString WithoutTrailingColon(QString caption) {
  caption = caption.trimmed();
  while (caption.endsWith(QLatin1Char(':')) || caption.endsWith(QChar(0xFF1A))) caption.chop(1);
  return caption.trimmed();
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
  FindNameSources(dialogTemplate.controls);
  FitCaptions();
}

void DialogBuilder::FindNameSources(std::span<const DialogControl> controls) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (!NeedsName(controls[i].kind)) continue;
    NameSource source{built_[static_cast<qsizetype>(i)]};
    const int label = controls[i].kind == ControlKind::CheckBox ? -1 : LeftLabel(controls, i);
    if (label >= 0) {
      source.label = built_[label];
      if (auto* buddy = qobject_cast<QLabel*>(source.label)) buddy->setBuddy(source.control);
    } else if (const int group = EnclosingGroup(controls, i); group >= 0) {
      source.group = built_[group];
    }
    nameSources_.append(source);
  }
}

void DialogBuilder::NameControls() const {
  for (const NameSource& source : nameSources_) {
    QString name;
    if (source.label != nullptr) {
      name = CaptionOf(source.label);
    } else {
      const QString group = source.group != nullptr ? CaptionOf(source.group) : QString();
      const QString own = CaptionOf(source.control);
      name = group.isEmpty() || own.isEmpty() ? group + own : group + QLatin1Char(' ') + own;
    }
    if (name.trimmed().isEmpty()) name = dialog_->windowTitle();
    source.control->setAccessibleName(WithoutTrailingColon(name));
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
