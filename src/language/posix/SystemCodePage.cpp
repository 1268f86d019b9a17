#include <cstdlib>

#include "language/CodePageText.h"
#include "language/TranslationMap.h"

namespace kestrel {

std::int32_t SystemCodePage() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return CodePageFromLocaleName(value);
  }
  return CodePageFromLocaleName("");
}

}  // namespace kestrel
