#pragma once

#include <string>
#include <vector>

#include "link/LinkPaths.h"

namespace kestrel {

class DialogBuilder;

// Items of the main window's lists, in the order they show (no list sorts).
// Paper type and direction hold Chinese source texts, shown through Translate.
const std::vector<std::string>& BaudRateItems();         // 1001
const std::vector<std::string>& PaperTypeItems();        // 1010
const std::vector<std::string>& PrintDirectionItems();   // 1011
const std::vector<std::string>& LabelSizeItems();        // 1012 and 1075
const std::vector<std::string>& BarcodeTypeItems();      // 1013
std::vector<std::string> DensityItems();                 // 1029: Level_1 to Level_8
std::vector<std::string> PrintSpeedItems();              // 1073: 1, 10, 20, ... 240
const std::vector<std::string>& PrinterBaudRateItems();  // 1085

// The console's starting text for the interface language, lines ending in CR LF.
std::string ConsoleDefaultText(bool chinese);

// "Kestrel" through Translate, " - " and the version text ("" gives "Kestrel - ").
std::string WindowTitle(const std::string& versionText);

// The port-type list: "USB" followed by the serial ports present.
std::vector<std::string> PortListEntries(const LinkPaths& paths);

// Fills every list and edit of the main window with its start-up contents and
// selection, disables the baud-rate list and sets the captions of the caption
// table through Translate, in the table's order. The hidden custom label size
// edits are left to the window (they read the settings file).
void FillStartupContents(const DialogBuilder& controls, const std::vector<std::string>& ports);
void ApplyCaptions(const DialogBuilder& controls);

}  // namespace kestrel
