#include "version/Version.h"

#include <cstdio>

namespace kestrel {

std::string FormatVersionText(const std::string& version) {
  unsigned parts[4];
  char rest = 0;
  if (std::sscanf(version.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3], &rest) != 4)
    return "";
  for (unsigned part : parts)
    if (part > 0xFFFF) return "";
  char text[64];
  std::snprintf(text, sizeof(text), "V%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
  return text;
}

}  // namespace kestrel
