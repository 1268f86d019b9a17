#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/PortNaming.h"
#include "link/SerialRate.h"
#include "link/TcpAddress.h"
#include "operations/AgingTest.h"
#include "operations/ConsoleSend.h"
#include "operations/SettingTables.h"
#include "window/InterfaceItems.h"

// The option rows that several commands share, with the setters that take
// their values. The job options mirror the window's controls and default to
// its start-up values.
namespace kestrel::cli {
namespace {

using Problem = std::optional<std::string>;

Problem SetLanguage(CliOptions& o, const std::string& v) {
  if (v != "zh" && v != "en") return "--lang takes zh or en";
  o.codePage = v == "zh" ? 936 : 1252;
  return std::nullopt;
}

Problem SetPaper(CliOptions& o, const std::string& v) {
  if (NumberInRange(v, 0, 2, &o.context.settings.PaperType)) return std::nullopt;
  return "--paper takes 0, 1 or 2";
}

// Notes a value the window would read as another, or one its list does not
// hold: the value is used as the window reads it, and the operator is told.
void NoteReading(CliOptions& o, const char* option, const std::string& typed, const std::string& readAs) {
  o.notes.push_back(std::string(option) + " '" + typed + "' is read as " + readAs);
}

// The text the window's decimal conversion leaves unchanged: digits with an
// optional minus, no blanks, no leading zeros.
bool IsPlainNumber(const std::string& text, std::int32_t value) { return text == std::to_string(value); }

bool InList(const std::vector<std::string>& items, const std::string& text) {
  return std::find(items.begin(), items.end(), text) != items.end();
}

Problem SetDirection(CliOptions& o, const std::string& v) {
  std::int32_t& direction = o.context.settings.PrintDirection;
  if (!ParseWholeNumber(v, &direction)) return "--direction takes a whole number";
  if (direction < 0 || direction > 3)
    o.notes.push_back("--direction '" + v +
                      "' is outside the direction list (0 to 3): labels send only their print "
                      "command");
  return std::nullopt;
}

// The texts of the speed list, the copies edit and the printer-rate list are
// taken as typed; the composers read them as the window's handlers do.
Problem SetSpeed(CliOptions& o, const std::string& v) {
  o.context.speedText = v;
  if (!InList(PrintSpeedItems(), v))
    NoteReading(o, "--speed", v, std::to_string(ReadPrintSpeed(v)) + ", not an item of the speed list (1, 10 ... 240)");
  return std::nullopt;
}

Problem SetCopies(CliOptions& o, const std::string& v) {
  o.context.copiesText = v;
  if (const std::int32_t copies = ReadPrintCopies(v); !IsPlainNumber(v, copies))
    NoteReading(o, "--copies", v, std::to_string(copies));
  return std::nullopt;
}

Problem SetPrinterBaud(CliOptions& o, const std::string& v) {
  o.context.printerBaudText = v;
  if (!InList(PrinterBaudRateItems(), v))
    NoteReading(o, "--printer-baud", v, "9600, not an item of the printer's rate list (9600 ... 115200)");
  return std::nullopt;
}

Problem SetSize(CliOptions& o, const std::string& v) {
  std::int32_t index = -1;
  if (ParseWholeNumber(v, &index) &&
      LabelAreaFor(index, &o.context.settings.AreaWidthDots, &o.context.settings.AreaHeightDots))
    return std::nullopt;
  return "--size takes a label-size index from 0 to 12";
}

Problem SetBarcodeType(CliOptions& o, const std::string& v) {
  std::int32_t index = -1;
  const std::int32_t system = ParseWholeNumber(v, &index) ? BarcodeSystemFor(index) : -1;
  if (system < 0) return "--barcode-type takes a barcode-list index from 0 to 7";
  o.context.settings.BarcodeSystem = system;
  return std::nullopt;
}

// Any text, converted as the backfeed edit's text is.
Problem SetBackfeed(CliOptions& o, const std::string& v) {
  o.context.settings.BackfeedValue = ParseDecimal(v);
  if (!IsPlainNumber(v, o.context.settings.BackfeedValue))
    NoteReading(o, "--backfeed", v, std::to_string(o.context.settings.BackfeedValue));
  return std::nullopt;
}

Problem SetDensity(CliOptions& o, const std::string& v) {
  std::int32_t level = 0;
  if (!NumberInRange(v, 1, 8, &level)) return "--density takes a level from 1 to 8";
  o.context.densityIndex = level - 1;
  return std::nullopt;
}

Problem SetAging(CliOptions& o, const std::string&) {
  o.context.agingRunning = true;
  return std::nullopt;
}

Problem SetTime(CliOptions& o, const std::string& v) {
  if (!ParseLocalTime(v, &o.context.now)) return "--at takes a local time \"YYYY-MM-DD HH:MM:SS\"";
  o.timeGiven = true;
  return std::nullopt;
}

Problem SetPort(CliOptions& o, const std::string& v) {
  if (v.empty()) return "--port needs a port";
  if (const std::optional<std::string> problem = PortNameProblem(v)) return "--port: " + *problem;
  o.port = v;
  return std::nullopt;
}

Problem SetBaud(CliOptions& o, const std::string& v) {
  if (!ListedSerialRate(v)) return "--baud takes one of 1200 2400 4800 9600 19200 38400 57600 115200";
  o.baud = v;
  return std::nullopt;
}

Problem SetOutput(CliOptions& o, const std::string& v) {
  if (v.empty()) return "--output needs a file name";
  o.output = v;
  return std::nullopt;
}

}  // namespace

Problem SetSendCount(CliOptions& o, const std::string& v) {
  o.extras["--count"] = v;
  if (const std::int32_t count = ReadSendCount(v); !IsPlainNumber(v, count) || count < 1)
    NoteReading(o, "--count", v, std::to_string(count) + (SendsOnce(count) ? ": one copy" : ""));
  return std::nullopt;
}

Problem SetAgingInterval(CliOptions& o, const std::string& v) {
  o.extras["--interval"] = v;
  if (const std::int32_t interval = AgingInterval(v); !IsPlainNumber(v, interval))
    NoteReading(o, "--interval", v, std::to_string(interval) + " ms");
  return std::nullopt;
}

OptionRow StrictOption() {
  return {"--strict", "", "refuse a value the window would read as another (--copies abc) instead of telling so"};
}

const OptionList& LinkOptions() {
  static const OptionList rows = {
      {"--port", "PORT", kPortMeaning, SetPort},
      {"--baud", "RATE", "serial rate: 1200 2400 4800 9600 19200 38400 57600 115200 (default 115200)", SetBaud},
  };
  return rows;
}

const OptionRow& LanguageOption() {
  static const OptionRow row{"--lang", "zh|en", "language of the texts and messages (default: from the locale)",
                             SetLanguage};
  return row;
}

const OptionList& JobOptions() {
  static const OptionList rows = {
      LanguageOption(),
      {"--paper", "0..2", "paper type: 0 continuous, 1 label (recycle), 2 label (not recycle) (default 2)", SetPaper},
      {"--direction", "N",
       "print direction: 0 left to right, 1 bottom to top, 2 right to left, 3 top to bottom (default 0)", SetDirection},
      {"--speed", "TEXT", "print speed as the speed list shows it: 1, 10, 20 ... 240 (default 1)", SetSpeed},
      {"--copies", "TEXT", "print copies as typed into the copies box (default 1)", SetCopies},
      {"--size", "INDEX", "label size of the single-item tests: 0 60x20 ... 12 80x60 (default 3, 60x50)", SetSize},
      {"--barcode-type", "INDEX",
       "bar code: 0 UPC-A 1 UPC-E 2 JAN13 3 JAN8 4 CODE39 5 ITF 6 CODE93 7 CODE128 (default 7)", SetBarcodeType},
      {"--backfeed", "TEXT", "backfeed before printing, in dots, as typed (default 35)", SetBackfeed},
      {"--density", "1..8", "print density level (default 3)", SetDensity},
      {"--printer-baud", "TEXT", "the serial rate to set in the printer: 9600 ... 115200 (default 115200)",
       SetPrinterBaud},
      {"--aging", "", "compose as during an aging run (no copies command)", SetAging},
      {"--at", "\"YYYY-MM-DD HH:MM:SS\"", "the local time the labels print (default: now)", SetTime},
      StrictOption(),
  };
  return rows;
}

OptionRow OutputOption(const char* meaning) { return {"--output", "FILE", meaning, SetOutput}; }

OptionRow QuietOption() {
  return {"--quiet", "", "no progress line on stderr during a long write (none shows when stderr is not a terminal)",
          nullptr, "-q"};
}

OptionRow JsonOption() { return {"--json", "", "machine-readable output: one JSON document on stdout"}; }

OptionList Options(std::initializer_list<OptionList> groups) {
  OptionList rows;
  for (const OptionList& group : groups) rows.insert(rows.end(), group.begin(), group.end());
  rows.push_back({"--help", "", "show this help", nullptr, "-h"});
  return rows;
}

const OptionRow* FindOption(const OptionList& options, const std::string& name) {
  for (const OptionRow& option : options)
    if (name == option.name || (option.shortName != nullptr && name == option.shortName)) return &option;
  return nullptr;
}

}  // namespace kestrel::cli
