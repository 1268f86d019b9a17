#pragma once

#include <cstdint>
#include <string>

namespace kestrel {

// The custom label's settings file, "Kestrel.ini" in the folder "Tarnwick" of
// the per-user data folder, section "CustomLabel". Read and written at every
// use, nothing cached.
class LabelSettings {
 public:
  // dataRoot is the per-user data folder ($XDG_DATA_HOME, else ~/.local/share).
  explicit LabelSettings(const std::string& dataRoot);

  std::string FilePath;

  std::int32_t ReadSettingInt(const std::string& section, const std::string& key) const;
  std::string ReadSettingText(const std::string& key, int divisor) const;
  void WriteSettingInt(const std::string& section, const std::string& key, std::int32_t value) const;
};

// The one object, made on first use.
LabelSettings& GetLabelSettings();

}  // namespace kestrel
