#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/FakePortDiscovery.h"
#include "support/win32/HostShell.h"
#include "win32ui/CKestrelDlg.h"

namespace kestrel::test {

// Handles the window's messages for `milliseconds`, or until `done` holds.
void PumpMessages(DWORD milliseconds);
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);

// Presses a button of a dialog as a click does.
void Click(HWND dialog, int id);
// Picks an item of a drop-down list as the operator does: the list tells its
// owner about the new selection.
void PickListItem(HWND dialog, int id, int index);

// The text of a window or of a dialog's control, as UTF-8.
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);

// A dialog box the window showed: its caption, and for a message box its text.
struct ShownDialog {
  HWND handle;
  std::string caption;
  std::string text;
};

// Watches this thread for dialog boxes (message boxes, the about box, the
// editor, ...) while a test drives the window, and hands each one to
// `handle` once; `handle` must end it, as the test would otherwise wait in
// its modal loop. Without a handler each one is recorded and closed with OK.
class ModalWatcher {
 public:
  explicit ModalWatcher(std::function<void(const ShownDialog&)> handle = {});
  ~ModalWatcher();
  const std::vector<ShownDialog>& Seen() const { return seen_; }
  std::vector<std::string> Texts() const;

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);
  void Check(HWND window);

  std::function<void(const ShownDialog&)> handle_;
  std::vector<ShownDialog> seen_;
  std::vector<HWND> handled_;
  UINT_PTR timer_ = 0;
};

// Picks an entry of the next popup menu this thread shows (the window's
// context menu), as the operator does with the arrow keys and Enter: the
// first entry whose text starts with `entry`. Without one the menu is
// closed with Esc. Records the texts of the menu's entries.
class MenuPicker {
 public:
  explicit MenuPicker(std::string entry);
  ~MenuPicker();
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);
  void Check(HWND window);

  std::string entry_;
  std::vector<std::string> entries_;
  bool picked_ = false;
  UINT_PTR timer_ = 0;
};

// The lines of a list box or a drop-down list.
std::vector<std::string> ListBoxItems(HWND list);
std::vector<std::string> ComboBoxItems(HWND list);

// A COM port mapped onto a pseudo-terminal (see MappedComPort), read while
// the window handles its messages.
class CapturedComPort {
 public:
  CapturedComPort();
  ~CapturedComPort();
  CapturedComPort(const CapturedComPort&) = delete;
  CapturedComPort& operator=(const CapturedComPort&) = delete;

  bool Ready() const { return ready_; }
  const std::string& Name() const { return port_.Name(); }  // "COM57"
  // Everything written so far, once at least `count` bytes arrived or
  // `milliseconds` passed, handling the window's messages meanwhile.
  std::vector<std::uint8_t> Read(std::size_t count, DWORD milliseconds = 5000) const;
  // Forgets what arrived so far.
  void Clear() const;

 private:
  MappedComPort port_;
  bool ready_ = false;
};

// A main window in the Chinese (936) or English (1252) interface.
class MainWindowTest : public ::testing::Test {
 protected:
  explicit MainWindowTest(std::int32_t codePage = 936);
  ~MainWindowTest() override;
  void SetUp() override;
  HWND Window() const { return dialog_->Handle(); }
  HWND Item(int id) const { return GetDlgItem(Window(), id); }
  // Adds the port to the port list and picks it, with the baud rate 115200.
  void SelectPort(const std::string& name);
  // A key pressed in the focused control, handled by the window's own loop.
  void PressKey(WPARAM key);

  // No USB printer and no serial port listed, whatever the prefix's registry
  // holds while other tests add ports to it.
  FakePortDiscovery ports_;
  std::unique_ptr<win32::CKestrelDlg> dialog_;
  bool created_ = false;
};

}  // namespace kestrel::test
