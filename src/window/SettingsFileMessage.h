#pragma once

#include <string>

#include "files/FileResult.h"

namespace kestrel {

// The message boxes about the custom label's settings file, in the interface
// language: what did not happen, why, and the file ("The custom label was not
// saved." / "The disk is full" / the path). A problem the interface has no
// words for shows the system's own.
std::string SettingsNotSavedMessage(const FileResult& result, const std::string& path);
std::string SettingsUnreadableMessage(const FileResult& result, const std::string& path);

}  // namespace kestrel
