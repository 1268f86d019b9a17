#include "customlabel/ProfileStorage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "customlabel/ProfileFile.h"

namespace kestrel {
namespace {

// The descriptor of path when it is a regular file; -1 with errno set
// otherwise. Opened without blocking, so a named pipe cannot stall the open.
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

}  // namespace

std::FILE* OpenRegularFile(const std::string& path) {
  const int fd = OpenRegularDescriptor(path);
  std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "rb");
  if (!file && fd >= 0) ::close(fd);
  return file;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  text.clear();
  const int fd = OpenRegularDescriptor(path);
  if (fd < 0) return errno == ENOENT;
  // A file the operator made read-only stays as it is.
  struct stat info {};
  bool ok = ::access(path.c_str(), W_OK) == 0 && ::fstat(fd, &info) == 0 &&
            static_cast<std::uintmax_t>(info.st_size) <= kProfileSizeLimit;
  char chunk[64 * 1024];
  while (ok) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    text.append(chunk, static_cast<std::size_t>(got));
    ok = text.size() <= kProfileSizeLimit;
  }
  ::close(fd);
  return ok;
}

// Writes text to a temporary file beside path and renames it over path.
bool ReplaceFileText(const std::string& path, const std::string& text) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temporary = (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";
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
  SyncFolder(folder);
  return true;
}

}  // namespace kestrel
