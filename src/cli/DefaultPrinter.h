#pragma once

#include <optional>
#include <string>

namespace kestrel::cli {

// A default and where it was found, for messages: "KESTREL_PORT" or
// "/home/op/.config/kestrel/kestrel.conf:2".
struct DefaultValue {
  std::string value;
  std::string source;
};

// The printer a command talks to when its command line names none: from
// KESTREL_PORT and KESTREL_BAUD, else from the settings file's port, baud
// and lang. The command line wins over the environment, the environment over
// the file.
struct PrinterDefaults {
  std::optional<DefaultValue> port;
  std::optional<DefaultValue> baud;
  std::optional<DefaultValue> lang;
  // Why the settings file could not be read, naming the file and line.
  std::optional<std::string> problem;

  // The default of an option by its name ("--port"), if there is one.
  const std::optional<DefaultValue>& For(const std::string& option) const;
};

// The settings file: key = value lines (port, baud, lang), blank lines and
// lines starting with # or ; left out. `path` names the file in messages.
// Returns the defaults it holds, or the problem of its first bad line.
PrinterDefaults ReadSettingsText(const std::string& text, const std::string& path);

// The settings file overlaid with the environment, read once per run.
const PrinterDefaults& CurrentPrinterDefaults();

}  // namespace kestrel::cli
