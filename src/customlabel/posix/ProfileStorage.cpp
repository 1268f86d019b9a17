#include "customlabel/ProfileStorage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "files/ReplaceFile.h"
#include "files/posix/PathParts.h"

namespace kestrel {
namespace {

// Opens path without waiting on a named pipe; -1 with errno set when it is
// missing or no regular file (EINVAL).
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

FileResult Failure(const std::string& path, int error) {
  const bool denied = error == EACCES || error == EPERM || error == EROFS;
  return FileResult::Fail(denied ? FileProblem::NoPermission : FileProblem::Failed, path + ": " + std::strerror(error));
}

FileResult TooLarge(const std::string& path, std::uintmax_t limit) {
  return FileResult::Fail(FileProblem::TooLarge, path + ": larger than " + std::to_string(limit >> 20) + " MB");
}

}  // namespace

std::FILE* OpenRegularFile(const std::string& path) {
  const int fd = OpenRegularDescriptor(path);
  std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "rb");
  if (file == nullptr && fd >= 0) ::close(fd);
  return file;
}

FileResult ReadWholeFile(const std::string& path, std::uintmax_t limit, std::string& text) {
  text.clear();
  const int fd = OpenRegularDescriptor(path);
  if (fd < 0 && errno == ENOENT) return FileResult::Done();
  if (fd < 0 && errno == EINVAL) return FileResult::Fail(FileProblem::NotAFile, path + ": not a regular file");
  if (fd < 0) return Failure(path, errno);
  struct stat info {};
  FileResult result;
  if (::fstat(fd, &info) == 0 && static_cast<std::uintmax_t>(info.st_size) > limit) result = TooLarge(path, limit);
  char chunk[64 * 1024];
  while (result.ok()) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) result = Failure(path, errno);
    if (got <= 0) break;
    text.append(chunk, static_cast<std::size_t>(got));
    if (text.size() > limit) result = TooLarge(path, limit);
  }
  ::close(fd);
  if (!result.ok()) text.clear();
  return result;
}

FileResult CheckWritable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return FileResult::Done();
  if (::access(path.c_str(), W_OK) != 0) return Failure(path, errno);
  if ((info.st_mode & 0222) == 0) return FileResult::Fail(FileProblem::NoPermission, path + ": the file is read-only");
  return FileResult::Done();
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
    if (!IsTemporaryNameOf(entryName, parts.name)) continue;
    const std::string stale = InFolder(parts.folder, entryName);
    struct stat info {};
    if (::lstat(stale.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(stale.c_str());
  }
  ::closedir(folder);
}

}  // namespace kestrel
