#include "win32ui/WindowTestSupport.h"

#include <algorithm>
#include <cctype>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "language/win32/WideText.h"
#include "window/ControlIds.h"

namespace kestrel::test {

namespace {

ModalWatcher* currentWatcher = nullptr;
MenuPicker* currentPicker = nullptr;

constexpr int kMessageBoxText = 0xFFFF;
// The window class of popup menus, and its message that gives the menu.
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr UINT kGetMenuMessage = 0x01E1;  // MN_GETHMENU

std::vector<std::string> ListItems(HWND list, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list, countMessage, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(list, lengthMessage, row, 0)) + 1, L'\0');
    SendMessageW(list, textMessage, row, reinterpret_cast<LPARAM>(item.data()));
    items.push_back(win32::Narrow(item.c_str()));
  }
  return items;
}

void PostKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

void PumpMessages(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG message;
  for (;;) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(5);
  }
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PickListItem(HWND dialog, int id, int index) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win32::Narrow(text);
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

ModalWatcher::ModalWatcher(std::function<void(const ShownDialog&)> handle) : handle_(std::move(handle)) {
  currentWatcher = this;
  timer_ = SetTimer(nullptr, 0, 50, Poll);
}

ModalWatcher::~ModalWatcher() {
  KillTimer(nullptr, timer_);
  currentWatcher = nullptr;
}

std::vector<std::string> ModalWatcher::Texts() const {
  std::vector<std::string> texts;
  for (const ShownDialog& shown : seen_) texts.push_back(shown.text);
  return texts;
}

void CALLBACK ModalWatcher::Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (!currentWatcher) return;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        if (currentWatcher) currentWatcher->Check(window);
        return TRUE;
      },
      0);
}

// Dialog boxes the main window owns; the main window itself has no owner.
void ModalWatcher::Check(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0 || !GetWindow(window, GW_OWNER) || !IsWindowVisible(window)) return;
  if (std::find(handled_.begin(), handled_.end(), window) != handled_.end()) return;
  handled_.push_back(window);
  ShownDialog shown{window, WindowText(window), ItemText(window, kMessageBoxText)};
  seen_.push_back(shown);
  if (handle_) {
    handle_(shown);
  } else {
    PostMessageW(window, WM_COMMAND, IDOK, 0);
  }
}

std::vector<std::string> ListBoxItems(HWND list) { return ListItems(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

std::vector<std::string> ComboBoxItems(HWND list) {
  return ListItems(list, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

MenuPicker::MenuPicker(std::string entry) : entry_(std::move(entry)) {
  currentPicker = this;
  timer_ = SetTimer(nullptr, 0, 50, Poll);
}

MenuPicker::~MenuPicker() {
  KillTimer(nullptr, timer_);
  currentPicker = nullptr;
}

void CALLBACK MenuPicker::Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (!currentPicker || currentPicker->picked_) return;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        if (currentPicker && !currentPicker->picked_) currentPicker->Check(window);
        return TRUE;
      },
      0);
}

void MenuPicker::Check(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, kMenuClass) != 0 || !IsWindowVisible(window)) return;
  auto menu = reinterpret_cast<HMENU>(SendMessageW(window, kGetMenuMessage, 0, 0));
  if (!menu) return;
  picked_ = true;
  int chosen = -1;
  for (int index = 0; index < GetMenuItemCount(menu); ++index) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(index), text, 128, MF_BYPOSITION);
    entries_.push_back(win32::Narrow(text));
    if (chosen < 0 && !entry_.empty() && entries_.back().rfind(entry_, 0) == 0) chosen = index;
  }
  if (chosen < 0) {
    PostKey(window, VK_ESCAPE);
    return;
  }
  for (int step = 0; step <= chosen; ++step) PostKey(window, VK_DOWN);
  PostKey(window, VK_RETURN);
}

CapturedComPort::CapturedComPort() {
  ready_ = PumpUntil([this] { return port_.Ready(); });
}

CapturedComPort::~CapturedComPort() = default;

std::vector<std::uint8_t> CapturedComPort::Read(std::size_t count, DWORD milliseconds) const {
  std::vector<std::uint8_t> bytes;
  PumpUntil(
      [&] {
        bytes = port_.Wire();
        return bytes.size() >= count;
      },
      milliseconds);
  return bytes;
}

void CapturedComPort::Clear() const { port_.Clear(); }

MainWindowTest::MainWindowTest(std::int32_t codePage) {
  JobSettings = JobSettingsRecord{};
  TranslationMap::Instance().CodePage = codePage;
  dialog_ = std::make_unique<win32::CKestrelDlg>(ports_);
  created_ = dialog_->Create();
  PumpMessages(50);
}

void MainWindowTest::SetUp() {
  ASSERT_TRUE(created_) << "no window was made: the window tests need a display (Xvfb) for Wine";
}

MainWindowTest::~MainWindowTest() { dialog_.reset(); }

void MainWindowTest::SelectPort(const std::string& name) {
  HWND ports = Item(kPortList);
  const LRESULT index = SendMessageW(ports, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(name).c_str()));
  PickListItem(Window(), kPortList, static_cast<int>(index));
}

void MainWindowTest::PressKey(WPARAM key) {
  PostKey(GetFocus(), key);
  MSG message;
  while (dialog_->Handle() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dialog_->HandleQueuedMessage(message);
}

}  // namespace kestrel::test
