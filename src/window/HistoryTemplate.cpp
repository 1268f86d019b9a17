#include "window/DialogTemplate.h"

namespace kestrel {

namespace {

// Template 137: the version history that F8 opens.
constexpr DialogControl kHistoryControls[] = {
    {1028, ControlKind::ListBox, "", 7, 7, 379, 216},
};

constexpr DialogTemplate kHistoryTemplate{137, "About", 393, 230, 8, kHistoryControls};

}  // namespace

const DialogTemplate& HistoryTemplate() { return kHistoryTemplate; }

}  // namespace kestrel
