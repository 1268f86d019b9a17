#pragma once

#include "window/DialogControls.h"

namespace kestrel {

// The interface language from the system's code page; a code page chosen
// before the window was made (the window tests, the screenshot tools) is kept.
void LoadInterfaceLanguage();

// The captions of the caption table through Translate, in the table's order.
void ApplyCaptions(DialogControls& controls);

// The custom label width and height from the settings file into the hidden
// edits of the custom label size, in millimetres; at start-up and on message 1025.
void ReloadCustomLabelSize(DialogControls& controls);

}  // namespace kestrel
