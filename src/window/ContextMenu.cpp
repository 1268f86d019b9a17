#include "window/ContextMenu.h"

#include "language/TranslationMap.h"

namespace kestrel {

namespace {

constexpr ContextMenuEntry kEntries[] = {
    // The about box's entry is literal: the same in both languages.
    {MenuCommand::kAbout, "关于 Kestrel(&A)...", "关于 Kestrel(&A)..."},
    {MenuCommand::kPreview, "预览...", "Preview...", 9},
    {MenuCommand::kPrinterStatus, "打印机状态...", "Printer status..."},
};

}  // namespace

std::span<const ContextMenuEntry> ContextMenuEntries() { return kEntries; }

std::string MenuEntryText(const ContextMenuEntry& entry) {
  return InterfaceIsChinese() ? entry.chinese : entry.english;
}

const ContextMenuEntry* MenuEntryForKey(int functionKey) {
  for (const ContextMenuEntry& entry : kEntries)
    if (functionKey != 0 && entry.functionKey == functionKey) return &entry;
  return nullptr;
}

}  // namespace kestrel
