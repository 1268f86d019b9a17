#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "files/FileResult.h"

namespace kestrel {

// The settings file's own file operations, below the profile format: the
// parts each system does its own way.

// The file for reading when it is a regular file, so that a device or a named
// pipe in its place cannot stall the program; null otherwise.
std::FILE* OpenRegularFile(const std::string& path);

// The whole file, up to `limit` bytes. A missing file is empty. A file that
// is no regular file, is longer than `limit` or cannot be read whole gives
// the problem, so that it is never read as empty or replaced by a part of
// itself.
FileResult ReadWholeFile(const std::string& path, std::uintmax_t limit, std::string& text);

// A file the operator made read-only (no write permission, or no write bit
// at all, which holds for an administrator too) stays as it is. A missing
// file may be made.
FileResult CheckWritable(const std::string& path);

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

}  // namespace kestrel
