#pragma once

#include <cstdio>
#include <string>

namespace kestrel {

// The settings file's own file operations, below the profile format.

// The file for reading when it is a regular file, so that a device or a named
// pipe in its place cannot stall the program; null otherwise.
std::FILE* OpenRegularFile(const std::string& path);

// The whole file for a rewrite. A missing file is empty; a file that cannot
// be read whole, is beyond the size limit or was made read-only gives false,
// so that it is never replaced by a part of itself.
bool ReadWholeFile(const std::string& path, std::string& text);

// Writes text to a temporary file beside path, flushes it to the disk and
// puts it in the place of path in one step.
bool ReplaceFileText(const std::string& path, const std::string& text);

}  // namespace kestrel
