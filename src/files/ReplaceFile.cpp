#include "files/ReplaceFile.h"

namespace kestrel {

bool IsTemporaryNameOf(std::string_view entry, std::string_view name) {
  const std::size_t prefix = name.size() + 2;
  if (entry.size() != prefix + 6 || entry[0] != '.' || entry.substr(1, name.size()) != name || entry[prefix - 1] != '.')
    return false;
  for (const char c : entry.substr(prefix))
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

}  // namespace kestrel
