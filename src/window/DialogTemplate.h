#pragma once

#include <span>

namespace kestrel {

// What a control of a dialog template is. Labels keep their alignment in the
// kind; edits are one line and centred; a digit edit accepts digits only.
enum class ControlKind {
  GroupBox,
  Label,        // left-aligned static text
  RightLabel,   // right-aligned static text
  CentreLabel,  // centred static text
  PushButton,
  DefaultPushButton,  // answers Enter and ends the dialog with OK
  CheckBox,
  Edit,               // one-line, centred
  LeftEdit,           // one-line, left-aligned
  DigitEdit,          // one-line, centred, digits only
  ReadOnlyDigitEdit,  // a digit edit the operator cannot change
  DropDownList,       // a list to pick from, no typing
  DropDownEdit,       // a list to pick from that also takes a typed text
  RichText,           // multi-line text box, vertical scroll bar, Enter starts a new line
  ListBox,            // a list of lines with a vertical scroll bar and a border
  Icon,               // the picture of `resource`
};

// Controls that carry no id (most labels) use kNoControlId and are not
// reachable by id.
inline constexpr int kNoControlId = -1;

// One row of a dialog template, as a resource script writes it. Positions and
// sizes are in dialog units. For a drop-down list (with or without typing) the
// height is that of the opened list; the builder gives the closed box its own
// height.
struct DialogControl {
  int id = kNoControlId;
  ControlKind kind = ControlKind::Label;
  const char* caption = "";  // UTF-8
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool visible = true;  // false: created hidden, and stays hidden
  int resource = 0;     // picture resource of an Icon
};

// A whole dialog: caption, size in dialog units, font size in points and the
// controls in tab order.
struct DialogTemplate {
  int id = 0;
  const char* caption = "";
  int width = 0;
  int height = 0;
  int fontPoints = 9;
  std::span<const DialogControl> controls;
};

// The templates of this program, each in its own file.
const DialogTemplate& MainWindowTemplate();   // 102, CKestrelDlg
const DialogTemplate& AboutBoxTemplate();     // 100, CAboutDlg
const DialogTemplate& HistoryTemplate();      // 137, Dialog_About
const DialogTemplate& CustomLabelTemplate();  // 138, DialogEditCustomLabel
const DialogTemplate& PrinterStatusTemplate();  // 140, the "Printer status..." dialog

// The controls of the printer status dialog (template 140).
enum PrinterStatusControlId : int {
  kPrinterStatusText = 1201,     // the report, read-only
  kPrinterStatusRefresh = 1202,  // asks the printer again
  kPrinterStatusClose = 1203,
};

}  // namespace kestrel
