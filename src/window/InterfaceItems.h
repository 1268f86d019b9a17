#pragma once

#include <string>
#include <vector>

#include "link/PortDiscovery.h"

namespace kestrel {

// Items of the main window's lists, in the order they show (no list sorts).
// Paper type and direction hold Chinese source texts, shown through Translate.
const std::vector<std::string>& BaudRateItems();         // kBaudList
const std::vector<std::string>& PaperTypeItems();        // kPaperTypeList
const std::vector<std::string>& PrintDirectionItems();   // kDirectionList
const std::vector<std::string>& LabelSizeItems();        // kLabelSizeList and kAgingSizeList
const std::vector<std::string>& BarcodeTypeItems();      // kBarcodeTypeList
std::vector<std::string> DensityItems();                 // kDensityList: Level_1 to Level_8
std::vector<std::string> PrintSpeedItems();              // kSpeedList: 1, 10, 20, ... 240
const std::vector<std::string>& PrinterBaudRateItems();  // kPrinterBaudList

// The console's starting text for the interface language, lines ending in CR LF.
std::string ConsoleDefaultText(bool chinese);

// "Kestrel" through Translate, " - " and the version text ("" gives "Kestrel - ").
std::string WindowTitle(const std::string& versionText);

// The port-type list: "USB" followed by the serial ports present.
std::vector<std::string> PortListEntries(const PortDiscovery& discovery);

// What one control of the main window shows right after start-up: a list's
// items (already through Translate where the list is translated) and its
// selection, or an edit's text.
struct StartupContent {
  int id;
  std::vector<std::string> items;
  int selected = -1;
  std::string text;
  bool IsList() const { return selected >= 0; }
};

// Every list and edit of the main window in the order the window fills them,
// for the interface language chosen now. The hidden custom label size edits
// are left to the window (they read the settings file); the baud-rate list is
// disabled by the window.
std::vector<StartupContent> StartupContents(const std::vector<std::string>& ports);

// The version history's lines, top to bottom; the same in both languages.
const std::vector<std::string>& HistoryLines();

}  // namespace kestrel
