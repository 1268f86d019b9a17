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

constexpr int kMessageBoxText = 0xFFFF;

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
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
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
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
  MSG message;
  while (dialog_->Handle() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dialog_->HandleQueuedMessage(message);
}

}  // namespace kestrel::test
