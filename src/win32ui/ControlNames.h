#pragma once

#include <windows.h>

#include "window/DialogTemplate.h"

namespace kestrel::win32 {

// Gives the controls of a dialog built from `dialogTemplate` the accessible
// names the templates' naming rule makes (window/AccessibleNames.h) from the
// captions they show now, so that a screen reader and UI Automation tell
// apart two controls that share a caption. Windows would name a button by
// its caption and an edit or a list by the label before it; a control given
// a name answers the accessibility query (WM_GETOBJECT) with the system's own
// accessible object for it, save for the name. Call again when captions
// change.
void NameControls(HWND dialog, const DialogTemplate& dialogTemplate);

}  // namespace kestrel::win32
