#include "window/WindowArguments.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "version/Version.h"

namespace kestrel {

namespace {

constexpr std::string_view kUsage =
    "usage: kestrel [--help | --version] [Qt options]\n"
    "Opens the Kestrel window, the test tool for thermal label printers. The\n"
    "interface is in Chinese when the locale's character set is GBK or GB18030,\n"
    "and in English otherwise.\n"
    "\n"
    "  -h, --help     this text\n"
    "  -V, --version  the program's version\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, -display DISPLAY, ...) are\n"
    "passed on to Qt. The same jobs without a window: kestrel-cli --help.\n";

// Qt's options that take a value, and those that do not.
constexpr std::array<std::string_view, 13> kQtOptionsWithValue = {
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",     "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-style",         "-stylesheet", "-session",
    "-display",     "-geometry",           "-name"};
constexpr std::array<std::string_view, 5> kQtFlags = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

// Qt also reads its options with two dashes and with "=value".
std::string_view QtOptionName(std::string_view arg) {
  if (arg.starts_with("--")) arg.remove_prefix(1);
  return arg.substr(0, arg.find('='));
}

}  // namespace

WindowStart ReadWindowArguments(const std::vector<std::string>& args) {
  WindowStart start;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {false, 0, std::string(kUsage), ""};
    if (arg == "--version" || arg == "-V") return {false, 0, "kestrel " + GetVersionText() + "\n", ""};
    const std::string_view option = QtOptionName(arg);
    if (Contains(kQtFlags, option)) continue;
    if (Contains(kQtOptionsWithValue, option)) {
      if (arg.find('=') != std::string::npos) continue;
      if (i + 1 < args.size()) {
        ++i;
        continue;
      }
      return {false, 2, "", "kestrel: " + arg + " needs a value\nsee kestrel --help\n"};
    }
    return {false, 2, "", "kestrel: unknown argument '" + arg + "'\nsee kestrel --help\n"};
  }
  return start;
}

}  // namespace kestrel
