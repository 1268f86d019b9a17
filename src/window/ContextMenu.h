#pragma once

#include <span>
#include <string>

namespace kestrel {

// What an entry of the main window's context menu (a right click on the
// window) does; each toolkit opens its own dialog for it.
enum class MenuCommand {
  kAbout,
  kPreview,
  kPrinterStatus,
};

// One entry of the context menu. Both windows build their menu from the same
// rows, in this order, leaving out the commands they have no dialog for (on
// Windows the about box's entry is in the system menu instead).
struct ContextMenuEntry {
  MenuCommand command;
  const char* chinese;  // UTF-8; "&" marks the access key
  const char* english;
  int functionKey = 0;  // 9: F9 anywhere in the window does the same; 0: none
};

std::span<const ContextMenuEntry> ContextMenuEntries();

// The entry's text in the interface language.
std::string MenuEntryText(const ContextMenuEntry& entry);

// The entry of a function key; nullptr when no entry has that key.
const ContextMenuEntry* MenuEntryForKey(int functionKey);

}  // namespace kestrel
