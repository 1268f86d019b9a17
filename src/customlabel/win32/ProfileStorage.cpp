#include "customlabel/ProfileStorage.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <chrono>

#include "files/ReplaceFile.h"
#include "language/win32/WideText.h"

namespace kestrel {
namespace {

// The file for reading when it is a file on a disk; others may keep reading,
// writing or replacing it meanwhile, as they can on Linux.
HANDLE OpenDiskFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // A folder is refused as if access were denied; it is no file, which is
    // what the operator must be told.
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    SetLastError(folder ? ERROR_INVALID_FUNCTION : error);
    return file;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(file);
    SetLastError(ERROR_INVALID_FUNCTION);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

struct PathParts {
  std::wstring folder;  // with its trailing separator; empty for the working folder
  std::wstring name;
};

PathParts Split(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {L"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

FileResult Failure(const std::string& path, DWORD error) {
  const bool denied = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
  return FileResult::Fail(denied ? FileProblem::NoPermission : FileProblem::Failed,
                          path + ": system error " + std::to_string(error));
}

FileResult TooLarge(const std::string& path, std::uintmax_t limit) {
  return FileResult::Fail(FileProblem::TooLarge, path + ": larger than " + std::to_string(limit >> 20) + " MB");
}

}  // namespace

std::FILE* OpenRegularFile(const std::string& path) {
  HANDLE file = OpenDiskFile(win32::Widen(path));
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(fd, "rb");
  if (!stream) _close(fd);
  return stream;
}

FileResult ReadWholeFile(const std::string& path, std::uintmax_t limit, std::string& text) {
  text.clear();
  HANDLE file = OpenDiskFile(win32::Widen(path));
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileResult::Done();
    if (error == ERROR_INVALID_FUNCTION) return FileResult::Fail(FileProblem::NotAFile, path + ": not a regular file");
    return Failure(path, error);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  FileResult result;
  if (GetFileInformationByHandle(file, &info) &&
      (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow) > limit)
    result = TooLarge(path, limit);
  char chunk[64 * 1024];
  while (result.ok()) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) result = Failure(path, GetLastError());
    if (!result.ok() || got == 0) break;
    text.append(chunk, got);
    if (text.size() > limit) result = TooLarge(path, limit);
  }
  CloseHandle(file);
  if (!result.ok()) text.clear();
  return result;
}

FileResult CheckWritable(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::Widen(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return FileResult::Fail(FileProblem::NoPermission, path + ": the file is read-only");
  return FileResult::Done();
}

ProfileLock::ProfileLock(const std::string& path) {
  const std::wstring lockPath = win32::Widen(path) + L".lock";
  HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  OVERLAPPED whole{};
  while (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
    if (std::chrono::steady_clock::now() > giveUp) {
      CloseHandle(file);
      return;
    }
    Sleep(10);
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
}

ProfileLock::~ProfileLock() {
  if (handle_ == -1) return;
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  OVERLAPPED whole{};
  UnlockFileEx(file, 0, 1, 0, &whole);
  CloseHandle(file);
}

void RemoveStaleTemporaries(const std::string& path) {
  const PathParts parts = Split(win32::Widen(path));
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW((parts.folder + L"." + parts.name + L".*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (IsTemporaryNameOf(win32::Narrow(entry.cFileName), win32::Narrow(parts.name)))
      DeleteFileW((parts.folder + entry.cFileName).c_str());
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

}  // namespace kestrel
