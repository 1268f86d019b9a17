#include "customlabel/ProfileStorage.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

namespace kestrel {
namespace {

// The temporary files of a save are ".NAME.XXXXXX" beside the file NAME.
constexpr char kTemporaryMarks[] = "XXXXXX";
constexpr std::size_t kTemporaryMarkCount = sizeof kTemporaryMarks - 1;

struct PathParts {
  std::string folder;  // never empty: "." for a bare name
  std::string name;
};

PathParts SplitPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return (folder == "/" ? "" : folder) + "/" + name;
}

// Opens path without waiting on a named pipe; -1 with errno set when it is
// missing or no regular file.
int OpenRegularDescriptor(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool IsTemporaryName(const std::string& entry, const std::string& name) {
  const std::string prefix = "." + name + ".";
  if (entry.size() != prefix.size() + kTemporaryMarkCount || entry.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < entry.size(); ++i) {
    const char c = entry[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace

std::FILE* OpenRegularFile(const std::string& path) {
  const int fd = OpenRegularDescriptor(path);
  std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "rb");
  if (file == nullptr && fd >= 0) ::close(fd);
  return file;
}

bool ReadWholeFile(const std::string& path, std::uintmax_t limit, std::string& text) {
  text.clear();
  const int fd = OpenRegularDescriptor(path);
  if (fd < 0) return errno == ENOENT;
  // A file the operator made read-only stays as it is.
  struct stat info {};
  bool ok = ::access(path.c_str(), W_OK) == 0 && ::fstat(fd, &info) == 0 &&
            static_cast<std::uintmax_t>(info.st_size) <= limit;
  char chunk[64 * 1024];
  while (ok) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    text.append(chunk, static_cast<std::size_t>(got));
    ok = text.size() <= limit;
  }
  ::close(fd);
  return ok;
}

std::string ResolveLinks(const std::string& path) {
  std::string current = path;
  // As many links as the system itself follows in one path.
  for (int hop = 0; hop < 40; ++hop) {
    std::vector<char> target(PATH_MAX);
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return current;
    const std::string next(target.data(), static_cast<std::size_t>(length));
    current = next.front() == '/' ? next : InFolder(SplitPath(current).folder, next);
  }
  return {};
}

ProfileLock::ProfileLock(const std::string& path) {
  const PathParts parts = SplitPath(path);
  const std::string lockPath = InFolder(parts.folder, parts.name + ".lock");
  int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW, 0644);
  // A lock file made by another user may be locked without being writable.
  if (fd < 0) fd = ::open(lockPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > giveUp) {
      ::close(fd);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  handle_ = fd;
}

ProfileLock::~ProfileLock() {
  if (Held()) ::close(static_cast<int>(handle_));
}

void RemoveStaleTemporaries(const std::string& path) {
  const PathParts parts = SplitPath(path);
  DIR* folder = ::opendir(parts.folder.c_str());
  if (folder == nullptr) return;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string entryName = entry->d_name;
    if (!IsTemporaryName(entryName, parts.name)) continue;
    const std::string stale = InFolder(parts.folder, entryName);
    struct stat info {};
    if (::lstat(stale.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(stale.c_str());
  }
  ::closedir(folder);
}

bool ReplaceFileText(const std::string& path, const std::string& text) {
  const PathParts parts = SplitPath(path);
  std::string temporary = InFolder(parts.folder, "." + parts.name + "." + kTemporaryMarks);
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(parts.folder);
  return true;
}

}  // namespace kestrel
