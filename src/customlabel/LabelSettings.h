#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "customlabel/ProfileFile.h"

namespace kestrel {

inline constexpr const char kCustomLabelSection[] = "CustomLabel";

// The custom label's settings file, "Kestrel.ini" in the folder "Tarnwick" of
// the per-user data folder, section "CustomLabel". Read and written at every
// use, nothing cached.
class LabelSettings {
 public:
  // dataRoot is the per-user data folder ($XDG_DATA_HOME, else ~/.local/share).
  // Making the object creates the missing folders and, when no file is there
  // yet, writes the 33 defaults; a file that exists is left as it is.
  explicit LabelSettings(const std::string& dataRoot);

  std::string FilePath;

  // The key's value as a decimal integer; a missing file or key reads 0.
  std::int32_t ReadSettingInt(const std::string& section, const std::string& key) const;
  // The value as the editor shows it: the plain integer for divisor 1, else
  // value / divisor with two decimals (dots to millimetres with 8).
  std::string ReadSettingText(const std::string& key, int divisor) const;
  FileResult WriteSettingInt(const std::string& section, const std::string& key, std::int32_t value) const;
  // Whether the file reads as it stands; a missing file is fine (its keys
  // read 0), a file too large, unreadable or damaged is not.
  FileResult CheckFile() const { return CheckProfileFile(FilePath); }
  // Whether the file with the defaults could be made when none was there.
  const FileResult& Made() const { return made_; }

  // The editor's Save. A null control pointer stands for a control that does
  // not exist: nothing is written for it.
  void StoreCheckState(const bool* checked, const std::string& key) const;
  void StoreEditInt(const std::string* text, const std::string& key) const;
  // The whole number the text starts with, times factor ('48.9' x 8 is 384).
  void StoreEditScaled(const std::string* text, const std::string& key, int factor) const;

 private:
  FileResult made_;
};

// The values of one Save of the editor, written together in one replacement
// of the file: a Save cut short leaves the old layout or the new one, never a
// mix, and a save of another program lands before or after it, not between.
class LabelSettingsChange {
 public:
  explicit LabelSettingsChange(const LabelSettings& settings) : settings_(settings) {}

  // As the store operations of LabelSettings.
  void StoreCheckState(const bool* checked, const std::string& key);
  void StoreEditInt(const std::string* text, const std::string& key);
  void StoreEditScaled(const std::string* text, const std::string& key, int factor);

  // Writes what was stored; nothing stored, nothing written. When the file
  // cannot be written it stays as it was, and the result says why.
  FileResult Write() const;

 private:
  void Store(const std::string& key, std::int32_t value);

  const LabelSettings& settings_;
  std::vector<ProfileEntry> entries_;
};

// The per-user data folder. On Linux XDG_DATA_HOME when it is an absolute
// path, else HOME/.local/share; on Windows the local application data folder
// in its short form. Empty when it is not known.
std::string DataRootFromEnvironment();
// The per-user settings folder: on Linux XDG_CONFIG_HOME when it is an
// absolute path, else HOME/.config; on Windows the roaming application data
// folder (%APPDATA%). Empty when it is not known.
std::string ConfigRootFromEnvironment();

// The one object, made from the environment on first use.
LabelSettings& GetLabelSettings();

}  // namespace kestrel
