#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "window/DialogTemplate.h"

namespace kestrel::win32 {

// The window styles of a dialog built from a template; its controls take
// theirs from their kind.
struct DialogFrame {
  DWORD style = 0;
  DWORD exStyle = 0;
};

// The frames of this program's dialogs: the main window with a minimise box
// and a taskbar button, the others plain modal frames.
DialogFrame MainWindowFrame();
DialogFrame ModalFrame();

// The dialog font of every template: "MS Shell Dlg", normal weight, in the
// Chinese (GB2312) character set, at the template's point size.
inline constexpr const wchar_t* kDialogFontFace = L"MS Shell Dlg";
inline constexpr BYTE kDialogCharset = GB2312_CHARSET;

// The window class and style a control of that kind is created with.
struct ControlClass {
  const wchar_t* className;
  DWORD style;
};
ControlClass ControlClassFor(ControlKind kind);

// A DLGTEMPLATEEX in memory, DWORD-aligned, for CreateDialogIndirectParamW
// and DialogBoxIndirectParamW. Captions go in as UTF-16; an icon names its
// icon resource by number. Hidden controls lack WS_VISIBLE.
std::vector<std::uint8_t> BuildDialogTemplate(const DialogTemplate& dialogTemplate, DialogFrame frame);

}  // namespace kestrel::win32
