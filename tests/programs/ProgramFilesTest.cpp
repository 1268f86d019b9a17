// The Windows program files as Windows reads them: the manifest, the version
// record and the icons in their resources, and the window as it opens at the
// system's scale.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "language/win32/WideText.h"

namespace kestrel {
namespace {

struct ProgramFile {
  const char* path;
  const wchar_t* description;
  const wchar_t* fileName;
  int icon;  // the lowest numbered icon group, which Explorer shows
};

const ProgramFile kPrograms[] = {
    {KESTREL_WINDOW_PATH, L"Kestrel label printer test tool", L"kestrel.exe", 99},
    {KESTREL_CLI_PATH, L"Kestrel command-line tool for label printers", L"kestrel-cli.exe", 1},
};

class Resources {
 public:
  explicit Resources(const char* path)
      : module_(LoadLibraryExW(win32::Widen(path).c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~Resources() {
    if (module_) FreeLibrary(module_);
  }
  bool Loaded() const { return module_ != nullptr; }

  std::string Bytes(LPCWSTR type, LPCWSTR name) const {
    HRSRC found = FindResourceW(module_, name, type);
    if (!found) return "";
    const void* data = LockResource(LoadResource(module_, found));
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module_, found)) : "";
  }

  // The pixel sizes of an icon group.
  std::vector<int> IconSizes(int group) const {
    const std::string bytes = Bytes(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(group));  // RT_GROUP_ICON;
    std::vector<int> sizes;
    const std::size_t count = bytes.size() >= 6 ? static_cast<unsigned char>(bytes[4]) : 0;
    for (std::size_t i = 0; i < count && 6 + 14 * i < bytes.size(); ++i) {
      const auto width = static_cast<unsigned char>(bytes[6 + 14 * i]);  // 0 stands for 256
      sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
  }

 private:
  HMODULE module_;
};

std::wstring VersionString(const char* path, const wchar_t* name) {
  const std::wstring file = win32::Widen(path);
  DWORD ignored = 0;
  std::vector<BYTE> record(GetFileVersionInfoSizeW(file.c_str(), &ignored));
  if (record.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(record.size()), record.data()))
    return L"";
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
  if (!VerQueryValueW(record.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return L"";
  return std::wstring(value, length > 0 ? length - 1 : 0);
}

TEST(ProgramFilesTest, BothProgramsCarryTheManifestTheirOwnVersionTextsAndIconsOf16To256) {
  for (const ProgramFile& program : kPrograms) {
    Resources resources(program.path);
    ASSERT_TRUE(resources.Loaded()) << program.path;
    const std::string manifest = resources.Bytes(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    for (const char* entry :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2",
          "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
          "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>"})
      EXPECT_NE(manifest.find(entry), std::string::npos) << program.path << " lacks " << entry;
    // The interface language follows the system's code page.
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos) << program.path;

    EXPECT_EQ(VersionString(program.path, L"FileDescription"), program.description);
    EXPECT_EQ(VersionString(program.path, L"OriginalFilename"), program.fileName);
    EXPECT_EQ(VersionString(program.path, L"LegalCopyright").rfind(L"Copyright (C) ", 0), 0u) << program.path;
    EXPECT_EQ(resources.IconSizes(program.icon), (std::vector<int>{16, 24, 32, 48, 64, 128, 256})) << program.path;
  }
}

// The window as kestrel.exe opens it with the system at `dpi` dots per inch
// (Wine reads the scale from the registry as each program starts).
class WindowAtDpi {
 public:
  explicit WindowAtDpi(DWORD dpi) {
    RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &savedDpi_, &savedSize_);
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    std::wstring commandLine = L"\"" + win32::Widen(KESTREL_WINDOW_PATH) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
    for (int wait = 0; started_ && !window_ && wait < 300; ++wait) {
      Sleep(100);
      EnumWindows(
          [](HWND window, LPARAM self) -> BOOL {
            auto* found = reinterpret_cast<WindowAtDpi*>(self);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != found->process_.dwProcessId || !IsWindowVisible(window) || !GetDlgItem(window, 1035))
              return TRUE;
            found->window_ = window;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(this));
    }
    Sleep(300);  // the last move after the window is shown
  }
  ~WindowAtDpi() {
    if (savedSize_ == sizeof savedDpi_) {
      RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &savedDpi_, sizeof savedDpi_);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    }
    if (!started_) return;
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  HWND Window() const { return window_; }

 private:
  static constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";
  DWORD savedDpi_ = 0;
  DWORD savedSize_ = sizeof(DWORD);
  PROCESS_INFORMATION process_{};
  BOOL started_ = FALSE;
  HWND window_ = nullptr;
};

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

TEST(ProgramFilesTest, WindowOpensCentredInsideTheWorkAreaAt96And144Dpi) {
  LONG heights[2] = {};
  const DWORD dpis[] = {96, 144};
  for (int i = 0; i < 2; ++i) {
    WindowAtDpi opened(dpis[i]);
    ASSERT_NE(opened.Window(), nullptr) << "no window at " << dpis[i] << " dpi";
    RECT frame{};
    GetWindowRect(opened.Window(), &frame);
    const RECT work = WorkAreaOf(opened.Window());
    EXPECT_GE(frame.left, work.left) << dpis[i];
    EXPECT_GE(frame.top, work.top) << dpis[i];
    EXPECT_LE(frame.right, work.right) << dpis[i];
    EXPECT_LE(frame.bottom, work.bottom) << dpis[i];
    EXPECT_NEAR(frame.left - work.left, work.right - frame.right, 2) << dpis[i];
    EXPECT_NEAR(frame.top - work.top, work.bottom - frame.bottom, 2) << dpis[i];
    // The Send row is on screen.
    RECT send{};
    GetWindowRect(GetDlgItem(opened.Window(), 1035), &send);
    EXPECT_LE(send.bottom, frame.bottom) << dpis[i];
    heights[i] = frame.bottom - frame.top;
  }
  // At 144 dpi the window is larger, until it fills the work area's height.
  EXPECT_GT(heights[1], heights[0] * 11 / 10);
}

}  // namespace
}  // namespace kestrel
