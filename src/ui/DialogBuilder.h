#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QRect>
#include <optional>

#include "window/AccessibleNames.h"
#include "window/DialogTemplate.h"
#include "window/DialogUnits.h"

class QDialog;
class QFont;
class QWidget;

namespace kestrel {

// A rectangle or size in dialog units converted to pixels.
QRect ToPixels(const DialogBaseUnits& units, int x, int y, int width, int height);
QSize ToPixels(const DialogBaseUnits& units, int width, int height);

// What the Qt dialog font measures, for its base units.
FontMeasures MeasureFont(const QFont& font);

// Turns a dialog template into Qt widgets on a dialog. Usage:
//
//   DialogBuilder controls(*this, CustomLabelTemplate());
//   auto* width = controls.ControlAs<QLineEdit>(1033);
//
// Building gives the dialog the template's caption, the application's font
// family at the template's point size and a fixed client size. When the
// window, with room for its frame and caption bar, would not fit the work
// area of its screen (or `workArea` when given), the font and every control
// shrink by the same factor until it does. Every control
// becomes a direct child of the dialog at its converted rectangle, in the
// template's order (which is also the tab order):
//   GroupBox -> QGroupBox           Label/RightLabel/CentreLabel -> QLabel
//   PushButton -> QPushButton       DefaultPushButton -> QPushButton (default, accepts)
//   CheckBox -> QCheckBox           Edit/DigitEdit/ReadOnlyDigitEdit -> QLineEdit (centred)
//   DropDownList -> QComboBox       RichText -> QTextEdit (plain text)
//   DropDownEdit -> QComboBox, editable, adding no rows and completing nothing
//   ListBox -> QListWidget          Icon -> QLabel showing the picture `resource`
// A drop-down list gets the height of its closed box; the template's height
// (that of the opened list) bounds how many items the opened list shows.
// Controls without the visible flag are created hidden and nothing here shows
// them again. Controls with an id of 0 or below are not indexed.
//
// Template sizes were made for the Windows dialog font; captions that do not
// fit their control in this font (English captions, mostly) would be clipped.
// FitCaptions() gives each such control a condensed, and if need be smaller,
// font. Call it again after changing captions.
//
// Every control the operator works carries an accessible name, so that a
// screen reader or UI automation finds it by what the operator reads next to
// it, and tells apart two that share a caption (see AccessibleNames); a label
// that names an edit or a list becomes its buddy.
// FitCaptions() renews the names from the current captions.
class DialogBuilder {
 public:
  DialogBuilder(QDialog& dialog, const DialogTemplate& dialogTemplate, std::optional<QRect> workArea = std::nullopt);

  // The control of that id; nullptr when the template has none.
  QWidget* Control(int id) const { return controls_.value(id, nullptr); }
  template <typename T>
  T* ControlAs(int id) const {
    return qobject_cast<T*>(Control(id));
  }
  const QHash<int, QWidget*>& Controls() const { return controls_; }
  const DialogBaseUnits& BaseUnits() const { return units_; }
  // The factor the font and controls shrank by to fit the work area; 1 when
  // the window fits as the template has it.
  double FitScale() const { return fitScale_; }

  void FitCaptions() const;

 private:
  QWidget* MakeControl(QDialog& dialog, const DialogControl& control) const;
  void NameControls() const;

  DialogBaseUnits units_;
  double fitScale_ = 1.0;
  QHash<int, QWidget*> controls_;
  QList<QWidget*> built_;  // every control, indexed or not, in template order
  std::span<const DialogControl> templateControls_;
  std::vector<NameSource> nameSources_;
  QDialog* dialog_ = nullptr;
  QFont font_;
};

}  // namespace kestrel
