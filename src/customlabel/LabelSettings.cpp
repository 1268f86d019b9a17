#include "customlabel/LabelSettings.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <vector>

#include "commands/JobSettings.h"
#include "customlabel/ProfileFile.h"

namespace kestrel {
namespace {

struct DefaultValue {
  const char* key;
  std::int32_t value;
};

// The layout of a first start, in the order the file lists it.
constexpr DefaultValue kDefaults[] = {
    {"CustomLabel_X", 0},      {"CustomLabel_Y", 0},      {"CustomLabel_Width", 384}, {"CustomLabel_Height", 320},
    {"IsPrint_Text1", 1},      {"Custom_X_Text1", 0},     {"Custom_Y_Text1", 0},      {"IsPrint_Text2", 1},
    {"Custom_X_Text2", 0},     {"Custom_Y_Text2", 52},    {"IsPrint_Barcode1", 1},    {"Custom_X_Barcode1", 120},
    {"Custom_Y_Barcode1", 24}, {"IsPrint_Barcode2", 0},   {"Custom_X_Barcode2", 0},   {"Custom_Y_Barcode2", 0},
    {"IsPrint_Qrcode1", 1},    {"Custom_X_Qrcode1", 120}, {"Custom_Y_Qrcode1", 120},  {"IsPrint_Qrcode2", 0},
    {"Custom_X_Qrcode2", 0},   {"Custom_Y_Qrcode2", 0},   {"IsPrint_Image1", 1},      {"Custom_X_Image1", 230},
    {"Custom_Y_Image1", 200},  {"IsPrint_Image2", 0},     {"Custom_X_Image2", 0},     {"Custom_Y_Image2", 0},
    {"IsPrint_Rect", 1},       {"Custom_X_Rect", 0},      {"Custom_Y_Rect", 0},       {"Custom_dX_Rect", 384},
    {"Custom_dY_Rect", 296},
};

std::string FormatInt(std::int32_t value) { return std::to_string(value); }

}  // namespace

LabelSettings::LabelSettings(const std::string& dataRoot) : FilePath(dataRoot + "/Tarnwick/Kestrel.ini") {
  namespace fs = std::filesystem;
  // The paths are UTF-8 on every system, whatever its code page.
  const auto utf8Path = [](const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); };
  std::error_code ignored;
  const fs::path file = utf8Path(FilePath);
  if (!dataRoot.empty()) fs::create_directories(utf8Path(dataRoot), ignored);
  fs::create_directory(file.parent_path(), ignored);
  if (fs::exists(file, ignored) || ignored) return;
  // All defaults in one replacement, so that an interrupted first start never
  // leaves a file that holds only some of them.
  std::vector<ProfileEntry> entries;
  for (const DefaultValue& entry : kDefaults) entries.push_back({entry.key, FormatInt(entry.value)});
  made_ = WriteProfileStrings(FilePath, kCustomLabelSection, entries);
}

std::int32_t LabelSettings::ReadSettingInt(const std::string& section, const std::string& key) const {
  return ParseDecimal(ReadProfileString(FilePath, section, key).value_or("0"));
}

std::string LabelSettings::ReadSettingText(const std::string& key, int divisor) const {
  const double value = ReadSettingInt(kCustomLabelSection, key);
  char text[64];
  if (divisor == 1)
    std::snprintf(text, sizeof text, "%.0f", value);
  else
    std::snprintf(text, sizeof text, "%.2f", value / divisor);
  return text;
}

FileResult LabelSettings::WriteSettingInt(const std::string& section, const std::string& key,
                                          std::int32_t value) const {
  return WriteProfileString(FilePath, section, key, FormatInt(value));
}

void LabelSettings::StoreCheckState(const bool* checked, const std::string& key) const {
  LabelSettingsChange change(*this);
  change.StoreCheckState(checked, key);
  change.Write();
}

void LabelSettings::StoreEditInt(const std::string* text, const std::string& key) const {
  LabelSettingsChange change(*this);
  change.StoreEditInt(text, key);
  change.Write();
}

void LabelSettings::StoreEditScaled(const std::string* text, const std::string& key, int factor) const {
  LabelSettingsChange change(*this);
  change.StoreEditScaled(text, key, factor);
  change.Write();
}

void LabelSettingsChange::StoreCheckState(const bool* checked, const std::string& key) {
  if (checked) Store(key, *checked ? 1 : 0);
}

void LabelSettingsChange::StoreEditInt(const std::string* text, const std::string& key) {
  if (text) Store(key, ParseDecimal(*text));
}

void LabelSettingsChange::StoreEditScaled(const std::string* text, const std::string& key, int factor) {
  if (!text) return;
  // A product beyond the 32-bit range is held at its end rather than wrapping
  // round to a value of the other sign.
  const std::int64_t product = std::int64_t{ParseDecimal(*text)} * factor;
  const std::int64_t held = std::clamp<std::int64_t>(product, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max());
  Store(key, static_cast<std::int32_t>(held));
}

void LabelSettingsChange::Store(const std::string& key, std::int32_t value) {
  entries_.push_back({key, FormatInt(value)});
}

FileResult LabelSettingsChange::Write() const {
  if (entries_.empty()) return FileResult::Done();
  return WriteProfileStrings(settings_.FilePath, kCustomLabelSection, entries_);
}

LabelSettings& GetLabelSettings() {
  static LabelSettings settings(DataRootFromEnvironment());
  return settings;
}

}  // namespace kestrel
