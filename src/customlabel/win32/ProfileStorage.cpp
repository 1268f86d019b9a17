#include "customlabel/ProfileStorage.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <random>

#include "customlabel/ProfileFile.h"
#include "language/win32/WideText.h"

namespace kestrel {
namespace {

// The file for reading when it is a file on a disk; others may keep reading,
// writing or replacing it meanwhile, as they can on Linux.
HANDLE OpenDiskFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return file;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(file);
    SetLastError(ERROR_INVALID_FUNCTION);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 20));
    DWORD put = 0;
    if (!WriteFile(file, text.data() + done, chunk, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return true;
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

// ".NAME.XXXXXX" beside NAME, six letters or digits, as on Linux, so that
// a save killed on either system is cleared up by the next.
std::wstring TemporaryNameBeside(const std::wstring& path) {
  static std::mt19937 names{std::random_device{}()};
  static const wchar_t kMarks[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  const PathParts parts = Split(path);
  std::wstring marks(6, L'0');
  for (wchar_t& mark : marks) mark = kMarks[names() % (sizeof kMarks / sizeof kMarks[0] - 1)];
  return parts.folder + L"." + parts.name + L"." + marks;
}

bool IsTemporaryName(const std::wstring& entry, const std::wstring& name) {
  const std::wstring prefix = L"." + name + L".";
  if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < entry.size(); ++i)
    if (!iswalnum(entry[i]) || entry[i] > 0x7F) return false;
  return true;
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

bool ReadWholeFile(const std::string& path, std::uintmax_t limit, std::string& text) {
  text.clear();
  const std::wstring widePath = win32::Widen(path);
  HANDLE file = OpenDiskFile(widePath);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  // A file the operator made read-only stays as it is.
  BY_HANDLE_FILE_INFORMATION info{};
  bool ok = GetFileInformationByHandle(file, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) &&
            (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow) <= limit;
  char chunk[64 * 1024];
  while (ok) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    text.append(chunk, got);
    ok = text.size() <= limit;
  }
  CloseHandle(file);
  return ok;
}

// A link is followed to the file it names; anything else is its own file.
std::string ResolveLinks(const std::string& path) {
  const std::wstring wide = win32::Widen(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
  HANDLE file = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::wstring target(32768, L'\0');
  const DWORD length =
      GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()), VOLUME_NAME_DOS);
  CloseHandle(file);
  if (length == 0 || length >= target.size()) return {};
  target.resize(length);
  if (target.rfind(L"\\\\?\\", 0) == 0) target.erase(0, 4);
  return win32::Narrow(target);
}

ProfileLock::ProfileLock(const std::string& path) {
  const std::wstring lockPath = win32::Widen(path) + L".lock";
  HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    if (IsTemporaryName(entry.cFileName, parts.name)) DeleteFileW((parts.folder + entry.cFileName).c_str());
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

// The new file takes the old one's place in one step, written through to the
// disk, so an interrupted save leaves the old file or the new one.
bool ReplaceFileText(const std::string& path, const std::string& text) {
  const std::wstring target = win32::Widen(path);
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = TemporaryNameBeside(target);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, text) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

}  // namespace kestrel
