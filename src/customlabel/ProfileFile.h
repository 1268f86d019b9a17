#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "files/FileResult.h"

namespace kestrel {

// A private-profile (INI) file as Windows reads and writes it: "[section]"
// lines, "key=value" lines, section and key names compared without regard
// to letter case, names and values trimmed of blanks, CR LF line endings.
// Lines without '=' are skipped when reading and kept when writing. A file
// another editor or a Windows program saved reads as well: with a UTF-8 byte
// order mark, in UTF-16 with its byte order mark (both kept by a rewrite),
// and with LF or CR line ends, which a rewrite makes CR LF.
// Nothing is cached: every call opens the file afresh.

// A value longer than this is cut, as a 260-character buffer would cut it.
inline constexpr std::size_t kProfileValueLimit = 259;
// Reading stops after this many bytes, and a longer file is never rewritten,
// so a huge or foreign file costs bounded time and is left intact;
// CheckProfileFile tells that it is too large.
inline constexpr std::uintmax_t kProfileSizeLimit = 16u * 1024u * 1024u;

// The value of key in section; nullopt when the file, the section or the key
// is missing. Scanning stops at the key.
std::optional<std::string> ReadProfileString(const std::string& path, std::string_view section, std::string_view key);

// Whether the file can be read whole: missing is fine (every key reads 0); a
// file that is no regular file, is too large, cannot be read or is damaged
// UTF-16 gives the problem, so that its keys are not taken for zeros unsaid.
FileResult CheckProfileFile(const std::string& path);

struct ProfileEntry {
  std::string key;
  std::string value;
};

// Sets each key of section to its value: a present key changes in place, a
// new key goes after the last entry of its section, a new section goes to the
// end of the file, and a missing file is made. The new text goes to a
// temporary file in the same folder, is flushed to the disk and then renamed
// over the old file, so an interrupted write leaves the old file or the new
// one, never a part. Through a symbolic link the file it points to is
// replaced. Saves take turns on a lock beside the file, and each clears the
// temporary files a killed save left. A file that is read-only, too large,
// unreadable or damaged is left as it is. The result says why nothing was
// written.
FileResult WriteProfileStrings(const std::string& path, std::string_view section,
                               std::span<const ProfileEntry> entries);
FileResult WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view value);

}  // namespace kestrel
