#include "customlabel/LabelSettings.h"

namespace kestrel {

LabelSettings::LabelSettings(const std::string& dataRoot) : FilePath(dataRoot + "/Tarnwick/Kestrel.ini") {}

std::int32_t LabelSettings::ReadSettingInt(const std::string&, const std::string&) const { return 0; }

std::string LabelSettings::ReadSettingText(const std::string&, int) const { return "0.00"; }

void LabelSettings::WriteSettingInt(const std::string&, const std::string&, std::int32_t) const {}

LabelSettings& GetLabelSettings() {
  static LabelSettings settings("/tmp");
  return settings;
}

}  // namespace kestrel
