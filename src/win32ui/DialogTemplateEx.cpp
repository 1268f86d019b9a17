#include "win32ui/DialogTemplateEx.h"

#include <richedit.h>

#include <cstring>
#include <string>

#include "language/win32/WideText.h"

namespace kestrel::win32 {

namespace {

constexpr WORD kOrdinal = 0xFFFF;

// Appends the fields of a DLGTEMPLATEEX or DLGITEMTEMPLATEEX in the order
// the dialog manager reads them.
class TemplateWriter {
 public:
  void Word(WORD value) { Raw(&value, sizeof value); }
  void Dword(DWORD value) { Raw(&value, sizeof value); }
  void Short(short value) { Raw(&value, sizeof value); }
  void Byte(BYTE value) { bytes_.push_back(value); }
  void Text(const std::wstring& text) { Raw(text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
  void Ordinal(WORD value) {
    Word(kOrdinal);
    Word(value);
  }
  void AlignToDword() { bytes_.resize((bytes_.size() + 3) & ~std::size_t{3}, 0); }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  void Raw(const void* data, std::size_t size) {
    const auto* first = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), first, first + size);
  }
  std::vector<std::uint8_t> bytes_;
};

void WriteRectangle(TemplateWriter& out, int x, int y, int width, int height) {
  out.Short(static_cast<short>(x));
  out.Short(static_cast<short>(y));
  out.Short(static_cast<short>(width));
  out.Short(static_cast<short>(height));
}

void WriteControl(TemplateWriter& out, const DialogControl& control) {
  const ControlClass kind = ControlClassFor(control.kind);
  out.AlignToDword();
  out.Dword(0);  // help id
  out.Dword(control.kind == ControlKind::RichText ? WS_EX_CLIENTEDGE : 0);
  out.Dword(kind.style | WS_CHILD | (control.visible ? WS_VISIBLE : 0));
  WriteRectangle(out, control.x, control.y, control.width, control.height);
  // Controls without an id answer to -1, as a resource script's IDC_STATIC does.
  out.Dword(static_cast<DWORD>(control.id));
  out.Text(kind.className);
  if (control.kind == ControlKind::Icon) {
    out.Ordinal(static_cast<WORD>(control.resource));
  } else {
    out.Text(Widen(control.caption));
  }
  out.Word(0);  // no creation data
}

}  // namespace

DialogFrame MainWindowFrame() {
  return {DS_SETFONT | DS_FIXEDSYS | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
          WS_EX_APPWINDOW};
}

DialogFrame ModalFrame() { return {DS_SETFONT | DS_FIXEDSYS | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0}; }

ControlClass ControlClassFor(ControlKind kind) {
  constexpr DWORD kEdit = ES_CENTER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
  constexpr DWORD kLeftEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
  switch (kind) {
    case ControlKind::GroupBox:
      return {L"Button", BS_GROUPBOX};
    case ControlKind::Label:
      return {L"Static", SS_LEFT};
    case ControlKind::RightLabel:
      return {L"Static", SS_RIGHT};
    case ControlKind::CentreLabel:
      return {L"Static", SS_CENTER};
    case ControlKind::PushButton:
      return {L"Button", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::DefaultPushButton:
      return {L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP};
    case ControlKind::CheckBox:
      return {L"Button", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::Edit:
      return {L"Edit", kEdit};
    case ControlKind::LeftEdit:
      return {L"Edit", kLeftEdit};
    case ControlKind::DigitEdit:
      return {L"Edit", kEdit | ES_NUMBER};
    case ControlKind::ReadOnlyDigitEdit:
      return {L"Edit", kEdit | ES_NUMBER | ES_READONLY};
    case ControlKind::DropDownList:
      return {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::DropDownEdit:
      return {L"ComboBox", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::RichText:
      return {RICHEDIT_CLASSW, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::ListBox:
      // Tabs in a line indent it instead of showing as a box.
      return {L"ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::Icon:
      return {L"Static", SS_ICON};
  }
  return {L"Static", SS_LEFT};
}

std::vector<std::uint8_t> BuildDialogTemplate(const DialogTemplate& dialogTemplate, DialogFrame frame) {
  TemplateWriter out;
  out.Word(1);  // DLGTEMPLATEEX version
  out.Word(kOrdinal);
  out.Dword(0);  // help id
  out.Dword(frame.exStyle);
  out.Dword(frame.style);
  out.Word(static_cast<WORD>(dialogTemplate.controls.size()));
  WriteRectangle(out, 0, 0, dialogTemplate.width, dialogTemplate.height);
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(Widen(dialogTemplate.caption));
  out.Word(static_cast<WORD>(dialogTemplate.fontPoints));
  out.Word(FW_NORMAL);
  out.Byte(FALSE);  // not italic
  out.Byte(kDialogCharset);
  out.Text(kDialogFontFace);
  for (const DialogControl& control : dialogTemplate.controls) WriteControl(out, control);
  return out.Take();
}

}  // namespace kestrel::win32
