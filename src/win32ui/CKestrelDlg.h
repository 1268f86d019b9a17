#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "link/PortDiscovery.h"
#include "win32ui/CaptionFonts.h"
#include "win32ui/DialogLayout.h"
#include "win32ui/Win32DialogControls.h"
#include "window/ContextMenu.h"
#include "window/MainWindowController.h"
#include "window/WindowHost.h"

namespace kestrel::win32 {

// The main window on Windows: a dialog built in memory from template 102.
// It hands every control event to its MainWindowController in one call and
// does the toolkit's part: timers, message boxes, painting, the busy cursor,
// the system menu and the context menu. Usage:
//
//   CKestrelDlg dialog;
//   dialog.Create();          // the window, shown and initialised
//   dialog.RunMessageLoop();  // until the window ends
class CKestrelDlg : public WindowHost {
 public:
  // Message 1025: the custom label editor saved the settings file.
  static constexpr UINT kCustomLabelSizeChanged = WM_USER + 1;
  // The system-menu command of the about box.
  static constexpr UINT kAboutCommand = 16;
  static constexpr UINT_PTR kAgingTimer = 1;
  // Refreshes the title with the share of a job that has gone out.
  static constexpr UINT_PTR kProgressTimer = 2;

  // `discovery` lists the ports for the port-type list and the link; it
  // outlives the window.
  explicit CKestrelDlg(const PortDiscovery& discovery = SystemPortDiscovery());
  ~CKestrelDlg() override;
  CKestrelDlg(const CKestrelDlg&) = delete;
  CKestrelDlg& operator=(const CKestrelDlg&) = delete;

  bool Create();
  HWND Handle() const { return hwnd_; }
  // The font, base units and fit of the window as laid out.
  const DialogLayout& Layout() const { return layout_; }
  // Runs the window's messages until it ends (close box, Enter, Esc).
  void RunMessageLoop();
  // One message taken from the queue, as the loop handles it.
  void HandleQueuedMessage(const MSG& message);
  // F8 anywhere in the window opens the version history, and the function
  // key of a context menu entry its dialog (F9 the preview); true when the
  // message was taken. Every message of the loop passes here first.
  bool PreTranslateMessage(const MSG& message);

  MainWindowController& Controller() { return controller_; }

  // WindowHost
  DialogControls& Controls() override { return controls_; }
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void EnableAllControls(bool enabled) override;
  void StartAgingTimer(std::int32_t intervalMs) override;
  void StopAgingTimer() override;
  void ShowSending(bool sending) override;
  void OpenCustomLabelEditor() override;
  void Post(std::function<void()> call) override;
  void CallOnWindowThread(const std::function<void()>& call) override;
  void ServeWindowThreadCalls() override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void ApplyInterfaceTexts();
  void OnCommand(int id, int code);
  bool OnSysCommand(WPARAM command);
  void OnContextMenu(LPARAM at);
  void OnPaint();
  void OnDpiChanged(const RECT& suggested);
  HBRUSH BackgroundBrushFor(HDC dc, HWND control);
  void MakeBackgroundBrush();
  void ShowTitle();
  void End();
  // What opens the dialog of a context menu entry; nullptr when this window
  // has none for it.
  using DialogOpener = void (CKestrelDlg::*)();
  static DialogOpener DialogFor(MenuCommand command);
  void ShowPreview();
  void ShowPrinterStatus();

  HWND hwnd_ = nullptr;
  Win32DialogControls controls_;
  const PortDiscovery& discovery_;
  MainWindowController controller_{*this, discovery_};
  DialogLayout layout_;
  CaptionFonts captionFonts_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HBITMAP background_ = nullptr;
  HBRUSH backgroundBrush_ = nullptr;  // the stretched background, for labels drawn over it
  bool ended_ = false;
};

}  // namespace kestrel::win32
