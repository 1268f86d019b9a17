#include <windows.h>

#include "language/CodePageText.h"

namespace kestrel {

std::int32_t SystemCodePage() { return static_cast<std::int32_t>(GetACP()); }

}  // namespace kestrel
