#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kestrel {

// The settings file's own file operations, below the profile format: the
// parts each system does its own way.

// The file for reading when it is a regular file, so that a device or a named
// pipe in its place cannot stall the program; null otherwise.
std::FILE* OpenRegularFile(const std::string& path);

// The whole file for a rewrite. A missing file is empty; a file that cannot
// be read whole, is longer than `limit` or was made read-only gives false, so
// that it is never replaced by a part of itself.
bool ReadWholeFile(const std::string& path, std::uintmax_t limit, std::string& text);

// The file that path names once symbolic links are followed, so that a save
// through a link replaces the file it points to and the link stays a link.
// Path itself when it is no link; empty when the links go round in a loop.
std::string ResolveLinks(const std::string& path);

// While it lives, holds the advisory lock of a lock file beside path, so that
// two programs saving at once take turns instead of undoing each other's keys.
// Waits a few seconds at most: a holder that long is stuck, and the save then
// goes ahead without the lock rather than being lost.
class ProfileLock {
 public:
  explicit ProfileLock(const std::string& path);
  ~ProfileLock();
  ProfileLock(const ProfileLock&) = delete;
  ProfileLock& operator=(const ProfileLock&) = delete;

  bool Held() const { return handle_ != -1; }

 private:
  std::intptr_t handle_ = -1;
};

// Removes the temporary files that saves of path killed before their end left
// beside it. Only with the lock held: then no save is under way.
void RemoveStaleTemporaries(const std::string& path);

// Writes text to a temporary file beside path, flushes it to the disk and
// puts it in the place of path in one step, so an interrupted save leaves the
// old file or the new one, never a part.
bool ReplaceFileText(const std::string& path, const std::string& text);

}  // namespace kestrel
