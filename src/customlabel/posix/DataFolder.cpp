#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "customlabel/LabelSettings.h"

namespace kestrel {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
    return found->pw_dir;
  return {};
}

}  // namespace

std::string DataRootFromEnvironment() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') return data;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share";
}

std::string ConfigRootFromEnvironment() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') return config;
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.config";
}

}  // namespace kestrel
