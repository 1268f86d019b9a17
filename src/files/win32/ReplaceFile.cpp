#include "files/ReplaceFile.h"

#include <windows.h>

#include <algorithm>
#include <random>

#include "language/win32/WideText.h"

namespace kestrel {
namespace {

FileProblem ProblemOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileProblem::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
      return FileProblem::NoSpace;
    default:
      return FileProblem::Failed;
  }
}

FileResult SystemFailure(const std::string& path, DWORD error) {
  wchar_t* words = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(words, length) : L"system error " + std::to_wstring(error);
  if (words) LocalFree(words);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.')) text.pop_back();
  return FileResult::Fail(ProblemOf(error), path + ": " + win32::Narrow(text));
}

// ".NAME.XXXXXX" beside NAME, six letters or digits, as on Linux, so that
// a file left by a write killed on either system is recognised by the other.
std::wstring TemporaryNameBeside(const std::wstring& path) {
  thread_local std::mt19937 names{std::random_device{}()};
  static const wchar_t kMarks[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  std::wstring marks(6, L'0');
  for (wchar_t& mark : marks) mark = kMarks[names() % (sizeof kMarks / sizeof kMarks[0] - 1)];
  return folder + L"." + name + L"." + marks;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD put = 0;
    if (!WriteFile(file, bytes.data(), chunk, &put, nullptr)) return false;
    if (put == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(put);
  }
  return true;
}

}  // namespace

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

// A folder, a device name (NUL, COM1, ...) or a pipe is no file on a disk.
FileResult CheckReplaceable(const std::string& path) {
  const std::string target = ResolveLinks(path);
  if (target.empty()) return FileResult::Fail(FileProblem::Failed, path + ": the links go round in a loop");
  HANDLE file = CreateFileW(win32::Widen(target).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileResult::Done();  // missing: made new
  BY_HANDLE_FILE_INFORMATION info{};
  const bool regular = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
                       !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(file);
  if (!regular) return FileResult::Fail(FileProblem::NotAFile, path + ": not a regular file");
  return FileResult::Done();
}

// The new file takes the old one's place in one step, written through to the
// disk when asked.
FileResult ReplaceFileContents(const std::string& path, std::string_view bytes, Durability durability) {
  if (FileResult check = CheckReplaceable(path); !check.ok()) return check;
  const std::wstring target = win32::Widen(ResolveLinks(path));
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = TemporaryNameBeside(target);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return SystemFailure(path, GetLastError());
  }
  if (file == INVALID_HANDLE_VALUE) return SystemFailure(path, ERROR_FILE_EXISTS);
  bool ok = WriteAll(file, bytes) && (durability == Durability::Cached || FlushFileBuffers(file));
  DWORD error = ok ? 0 : GetLastError();
  if (!CloseHandle(file) && ok) {
    ok = false;
    error = GetLastError();
  }
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durability == Durability::Flushed ? MOVEFILE_WRITE_THROUGH : 0);
  if (ok && !MoveFileExW(temporary.c_str(), target.c_str(), flags)) {
    ok = false;
    error = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temporary.c_str());
    return SystemFailure(path, error);
  }
  return FileResult::Done();
}

}  // namespace kestrel
