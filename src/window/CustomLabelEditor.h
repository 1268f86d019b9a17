#pragma once

#include "customlabel/LabelSettings.h"
#include "window/DialogControls.h"

namespace kestrel {

// The custom label editor's controls and the settings file: loading shows
// what the file holds, saving writes every control back in the editor's order
// (the label, the nine print flags, the sixteen element positions, the
// frame), all in one replacement of the file. The width and the height show
// in millimetres and are stored in dots. A save that fails leaves the file as
// it was and says why.
void LoadCustomLabelEditor(const LabelSettings& settings, DialogControls& controls);
FileResult SaveCustomLabelEditor(const LabelSettings& settings, const DialogControls& controls);

}  // namespace kestrel
