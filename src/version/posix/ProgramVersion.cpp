#include "version/Version.h"

namespace kestrel {

// A Linux program file has no version record; the build compiles the version in.
std::string GetVersionText() { return FormatVersionText(KESTREL_VERSION_TEXT); }

}  // namespace kestrel
