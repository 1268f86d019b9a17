#include "window/MainWindowStart.h"

#include "customlabel/LabelSettings.h"
#include "language/TranslationMap.h"
#include "window/ControlIds.h"

namespace kestrel {

void LoadInterfaceLanguage() {
  const std::int32_t chosen = TranslationMap::Instance().CodePage;
  if (chosen != 0) {
    LoadTranslations(chosen);
  } else {
    LoadTranslations();
  }
}

void ApplyCaptions(DialogControls& controls) {
  for (std::size_t row = 0; row < kCaptionCount; ++row)
    controls.SetText(kCaptionTable[row].control, Translate(kCaptionTable[row].key));
}

void ReloadCustomLabelSize(DialogControls& controls) {
  LabelSettings& settings = GetLabelSettings();
  controls.SetText(kCustomWidthEdit, settings.ReadSettingText("CustomLabel_Width", 8));
  controls.SetText(kCustomHeightEdit, settings.ReadSettingText("CustomLabel_Height", 8));
}

}  // namespace kestrel
