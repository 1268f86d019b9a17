#include "link/posix/PortLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

namespace kestrel::posix {
namespace {

// A lock file without a readable id this young may be one another program
// is still writing; an older one is left over.
constexpr std::time_t kUnwrittenLockSeconds = 10;

std::optional<pid_t> ReadOwner(const std::string& lockFile) {
  const int fd = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  char text[32] = {};
  const ssize_t got = read(fd, text, sizeof text - 1);
  close(fd);
  if (got <= 0) return std::nullopt;
  char* end = nullptr;
  const long id = std::strtol(text, &end, 10);
  if (end == text || id <= 0 || id > INT_MAX) return std::nullopt;
  return static_cast<pid_t>(id);
}

bool IsRunning(pid_t process) { return kill(process, 0) == 0 || errno == EPERM; }

bool IsYoung(const std::string& lockFile) {
  struct stat info {};
  return lstat(lockFile.c_str(), &info) == 0 && std::time(nullptr) - info.st_mtime < kUnwrittenLockSeconds;
}

// Why the present lock file keeps the port from us; empty when it is stale.
std::string Holder(const std::string& lockFile) {
  const std::optional<pid_t> owner = ReadOwner(lockFile);
  if (owner && IsRunning(*owner)) return "in use by process " + std::to_string(*owner) + " (" + lockFile + ")";
  if (!owner && IsYoung(lockFile)) return "being locked by another program (" + lockFile + ")";
  return {};
}

// The lock's content is written beside it first and then linked into place,
// so that no other program ever reads a lock file without its id.
bool WriteUnlinkedLock(const std::string& folder, std::string& tempFile) {
  tempFile = folder + "/LTMP.XXXXXX";
  const int fd = mkostemp(tempFile.data(), O_CLOEXEC);
  if (fd < 0) return false;
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(getpid()));
  const bool written = fchmod(fd, 0644) == 0 && write(fd, text, static_cast<std::size_t>(length)) == length;
  if (close(fd) != 0 || !written) {
    unlink(tempFile.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string PortLockFile(const std::string& devicePath, const std::string& lockFolder) {
  // The device's own name, so that every link to it shares one lock:
  // /dev/serial/by-id/... locks as ttyUSB0, /dev/pts/3 as pts_3.
  char* resolved = realpath(devicePath.c_str(), nullptr);
  std::string name = resolved ? resolved : devicePath;
  std::free(resolved);
  if (name.rfind("/dev/", 0) == 0) {
    name.erase(0, 5);
  } else if (const auto slash = name.rfind('/'); slash != std::string::npos) {
    name.erase(0, slash + 1);
  }
  for (char& c : name)
    if (c == '/') c = '_';
  return lockFolder + "/LCK.." + name;
}

PortLock TakePortLock(const std::string& lockFile) {
  const std::string folder = lockFile.substr(0, lockFile.rfind('/'));
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::string tempFile;
    if (!WriteUnlinkedLock(folder, tempFile)) return {};
    const int linked = link(tempFile.c_str(), lockFile.c_str());
    const int linkError = errno;
    unlink(tempFile.c_str());
    if (linked == 0) return {true, {}};
    if (linkError != EEXIST) return {};

    std::string refusal = Holder(lockFile);
    if (!refusal.empty()) return {false, std::move(refusal)};
    unlink(lockFile.c_str());  // stale: its process has ended
  }
  return {false, "cannot take the lock file " + lockFile};
}

void ReleasePortLock(const std::string& lockFile) {
  if (lockFile.empty()) return;
  if (ReadOwner(lockFile) == getpid()) unlink(lockFile.c_str());
}

}  // namespace kestrel::posix
