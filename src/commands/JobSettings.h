#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace kestrel {

// The operator's choices, written by the selection handlers of the window and
// read by the composers. Never saved.
struct JobSettingsRecord {
  std::int32_t PaperType = 2;
  std::int32_t PrintDirection = 0;
  std::int32_t BarcodeSystem = 73;
  std::int32_t BackfeedValue = 35;
  std::int32_t AreaWidthDots = 448;
  std::int32_t AreaHeightDots = 368;
  std::int32_t PortKind = 0;
};

extern JobSettingsRecord JobSettings;

// Everything a composer reads besides the vocabulary: the settings, the texts
// of the controls it needs, the aging flag and the clock. The window builds it
// from its controls; the CLI from its options; tests fix it.
struct JobContext {
  JobSettingsRecord settings;
  std::string speedText = "1";   // text of the speed list (1073)
  std::string copiesText = "1";  // text of the copies edit (1044)
  std::int32_t densityIndex = 2;           // density list (1029): Level_3
  std::string printerBaudText = "115200";  // printer serial rate list (1085)
  bool agingRunning = false;
  std::tm now{};                 // the local time a label prints
};

// Decimal conversion as the C library's atoi does it: leading blanks and a
// sign allowed, stops at the first non-digit, no digits gives 0. Values
// beyond the 32-bit range saturate instead of overflowing.
std::int32_t ParseDecimal(const std::string& text);

// The copies edit: empty, or a value below 1, gives 1. The command carries one
// byte, so a value above 255 sends 255.
std::int32_t ReadPrintCopies(const std::string& copiesText);

// The speed list, clamped to 1 to 255.
std::int32_t ReadPrintSpeed(const std::string& speedText);

// The local time now, in the system's time zone.
std::tm LocalTimeNow();

}  // namespace kestrel
