#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "link/JobSender.h"
#include "link/LinkHost.h"
#include "link/PrinterLink.h"
#include "win32ui/CaptionFonts.h"
#include "win32ui/DialogLayout.h"
#include "win32ui/Win32DialogControls.h"
#include "window/AgingPanel.h"
#include "window/ConsolePanel.h"
#include "window/WindowHost.h"

namespace kestrel::win32 {

// The main window on Windows: a dialog built in memory from template 102.
// Every control event goes to one operation of the window module or the
// link; the window composes nothing itself. Usage:
//
//   CKestrelDlg dialog;
//   dialog.Create();          // the window, shown and initialised
//   dialog.RunMessageLoop();  // until the window ends
class CKestrelDlg : public LinkHost, public WindowHost {
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
  // F8 anywhere in the window opens the version history; true when the
  // message was taken. Every message of the loop passes here first.
  bool PreTranslateMessage(const MSG& message);

  std::uint32_t SendCount = 0;

  // LinkHost
  int PortSelection() const override;
  std::string PortText() const override;
  std::string BaudText() const override;
  bool AgingRunning() const override { return agingRunning_.load(); }
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void SetConnectCaption(const std::string& caption) override;
  void EnablePortList(bool enabled) override;
  void EnableBaudList(bool enabled) override;

  // WindowHost
  DialogControls& Controls() override { return controls_; }
  PrinterLink& Link() override { return *link_; }
  void EnableAllControls(bool enabled) override;
  void EnableControl(int id, bool enabled) override;
  void StartAgingTimer(std::int32_t intervalMs) override;
  void StopAgingTimer() override;
  bool Sending() const override;
  bool SendOffThread(std::function<bool()> write, std::function<void(bool)> done) override;
  void CallOnWindowThread(const std::function<void()>& call) override;
  void ServeWindowThreadCalls() override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void ApplyInterfaceTexts();
  void OnCommand(int id, int code);
  void OnClicked(int id);
  bool OnSysCommand(WPARAM command);
  void OnPaint();
  void OnDpiChanged(const RECT& suggested);
  HBRUSH BackgroundBrushFor(HDC dc, HWND control);
  void MakeBackgroundBrush();
  void End();
  void ShowSendProgress();

  HWND hwnd_ = nullptr;
  Win32DialogControls controls_;
  const PortDiscovery& discovery_;
  std::unique_ptr<PrinterLink> link_;
  std::unique_ptr<JobSender> sender_;
  std::wstring idleTitle_;
  std::atomic<bool> agingRunning_ = false;
  AgingPanel aging_{*this, agingRunning_, SendCount};
  ConsolePanel console_{*this};
  DialogLayout layout_;
  CaptionFonts captionFonts_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HBITMAP background_ = nullptr;
  HBRUSH backgroundBrush_ = nullptr;  // the stretched background, for labels drawn over it
  bool ended_ = false;
};

}  // namespace kestrel::win32
