#pragma once

#include <string>
#include <string_view>

#include "files/FileResult.h"

namespace kestrel {

// Writing a file so that a failure never costs what was there before: the
// bytes go to a temporary file ".NAME.XXXXXX" beside NAME, which is renamed
// over NAME once it is complete. A failure removes the temporary file only.

// The file that path names once symbolic links are followed, so that a write
// through a link replaces the file it points to and the link stays a link.
// Path itself when it is no link; empty when the links go round in a loop.
std::string ResolveLinks(const std::string& path);

// Whether path may be replaced: it is missing or a regular file (links
// followed). A device, a named pipe or a folder in its place gives NotAFile,
// so that nothing is ever written into it or renamed over it.
FileResult CheckReplaceable(const std::string& path);

enum class Durability {
  Cached,   // the system writes it out when it likes (pictures)
  Flushed,  // on the disk before the rename (settings)
};

// Puts bytes in the place of path (links followed), as described above. An
// existing file keeps its permissions; a new one gets the usual ones.
FileResult ReplaceFileContents(const std::string& path, std::string_view bytes, Durability durability);

// The temporary file names of ReplaceFileContents for the file NAME: ".NAME." and six
// letters or digits.
bool IsTemporaryNameOf(std::string_view entry, std::string_view name);

}  // namespace kestrel
