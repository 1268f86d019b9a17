#include "files/ReplaceFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

#include "files/posix/PathParts.h"

namespace kestrel {
namespace {

FileProblem ProblemOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return FileProblem::NoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return FileProblem::NoSpace;
    case EISDIR:
      return FileProblem::NotAFile;
    default:
      return FileProblem::Failed;
  }
}

FileResult SystemFailure(const std::string& path, int error) {
  return FileResult::Fail(ProblemOf(error), path + ": " + std::strerror(error));
}

// Made with the mode bits a plain create would give (0666 less the umask),
// under a name no one else uses.
int CreateTemporary(const std::string& path, std::string* temporary) {
  static const char kMarks[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937 names{std::random_device{}()};
  const PathParts parts = SplitPath(path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string marks(6, '0');
    for (char& mark : marks) mark = kMarks[names() % (sizeof kMarks - 1)];
    *temporary = InFolder(parts.folder, "." + parts.name + "." + marks);
    const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return false;
    if (put == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

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

FileResult CheckReplaceable(const std::string& path) {
  const std::string target = ResolveLinks(path);
  if (target.empty()) return FileResult::Fail(FileProblem::Failed, path + ": " + std::strerror(ELOOP));
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return FileResult::Done();  // missing: made new
  if (!S_ISREG(info.st_mode)) return FileResult::Fail(FileProblem::NotAFile, path + ": not a regular file");
  return FileResult::Done();
}

FileResult ReplaceFileContents(const std::string& path, std::string_view bytes, Durability durability) {
  if (FileResult check = CheckReplaceable(path); !check.ok()) return check;
  const std::string target = ResolveLinks(path);
  std::string temporary;
  const int fd = CreateTemporary(target, &temporary);
  if (fd < 0) return SystemFailure(path, errno);
  struct stat old {};
  bool ok = ::stat(target.c_str(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd, bytes) && (durability == Durability::Cached || ::fsync(fd) == 0);
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return SystemFailure(path, error);
  }
  // Checked again just before the rename: a node put in its place meanwhile
  // is not replaced either.
  if (FileResult again = CheckReplaceable(target); !again.ok()) {
    ::unlink(temporary.c_str());
    return FileResult::Fail(again.problem, path + ": not a regular file");
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    ::unlink(temporary.c_str());
    return SystemFailure(path, error);
  }
  if (durability == Durability::Flushed) SyncFolder(SplitPath(target).folder);
  return FileResult::Done();
}

}  // namespace kestrel
