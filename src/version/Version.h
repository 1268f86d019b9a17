#pragma once

#include <string>

namespace kestrel {

// "V" followed by the four parts of the build's version, or an empty text
// for a build without a version.
std::string GetVersionText();
// The same for a given version text ("1.0.0.16"); empty when it is not four
// numbers.
std::string FormatVersionText(const std::string& version);

}  // namespace kestrel
