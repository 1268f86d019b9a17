#pragma once

#include <string>
#include <vector>

#include "window/InterfaceItems.h"

namespace kestrel {

class DialogBuilder;

// Fills every list and edit of the main window with its start-up contents and
// selection and disables the baud-rate list. The hidden custom label size
// edits are left to the window (they read the settings file).
void FillStartupContents(const DialogBuilder& controls, const std::vector<std::string>& ports);

}  // namespace kestrel
