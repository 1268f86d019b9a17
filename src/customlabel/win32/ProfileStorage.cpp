#include "customlabel/ProfileStorage.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
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

std::wstring TemporaryNameBeside(const std::wstring& path) {
  static std::mt19937 names{std::random_device{}()};
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  return folder + L"." + name + L"." + std::to_wstring(names() % 1000000u);
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

bool ReadWholeFile(const std::string& path, std::string& text) {
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
            info.nFileSizeHigh == 0 && info.nFileSizeLow <= kProfileSizeLimit;
  char chunk[64 * 1024];
  while (ok) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    text.append(chunk, got);
    ok = text.size() <= kProfileSizeLimit;
  }
  CloseHandle(file);
  return ok;
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
