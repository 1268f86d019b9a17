#include "win32ui/CKestrelDlg.h"

#include <utility>
#include <vector>

#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "language/win32/WideText.h"
#include "win32ui/ControlNames.h"
#include "win32ui/DialogTemplateEx.h"
#include "win32ui/PreviewDialog.h"
#include "win32ui/PrinterStatusDialog.h"
#include "win32ui/SmallDialogs.h"
#include "window/ControlIds.h"
#include "window/InterfaceItems.h"
#include "window/MainWindowStart.h"

namespace kestrel::win32 {

namespace {

constexpr int kWindowIcon = 99;
constexpr int kAboutEntryText = 101;
constexpr int kBackgroundPicture = 131;
// A call another thread waits on; lParam points at the std::function to run.
constexpr UINT kWindowThreadCall = WM_APP + 1;
// A call posted for later; lParam owns the std::function to run.
constexpr UINT kPostedCall = WM_APP + 2;
constexpr UINT kProgressIntervalMs = 100;

std::wstring LoadText(int id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace

CKestrelDlg::CKestrelDlg(const PortDiscovery& discovery) : discovery_(discovery) {}

CKestrelDlg::~CKestrelDlg() {
  End();
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  if (background_) DeleteObject(background_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

bool CKestrelDlg::Create() {
  LoadRichTextControl();
  const std::vector<std::uint8_t> dialog = BuildDialogTemplate(MainWindowTemplate(), MainWindowFrame());
  hwnd_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()),
                                     nullptr, DialogProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return false;
  ShowWindow(hwnd_, SW_SHOW);
  return true;
}

void CKestrelDlg::RunMessageLoop() {
  MSG message;
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) HandleQueuedMessage(message);
}

void CKestrelDlg::HandleQueuedMessage(const MSG& message) {
  if (PreTranslateMessage(message)) return;
  // The dialog's keys: Tab, Enter for OK, Esc for Cancel, arrows in groups.
  if (hwnd_ && IsDialogMessageW(hwnd_, const_cast<MSG*>(&message))) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

bool CKestrelDlg::PreTranslateMessage(const MSG& message) {
  const bool inWindow = hwnd_ && (message.hwnd == hwnd_ || IsChild(hwnd_, message.hwnd));
  if (message.message != WM_KEYDOWN || !inWindow) return false;
  if (message.wParam == VK_F8) {
    ShowVersionHistory(hwnd_);
    return true;
  }
  // Enter after a port typed into the port list ends the typing: it never
  // reaches the dialog manager, whose OK would end the window.
  if (message.wParam == VK_RETURN && IsChild(GetDlgItem(hwnd_, kPortList), message.hwnd)) return true;
  // The function keys of the context menu's entries (F9: the preview).
  if (message.wParam >= VK_F1 && message.wParam <= VK_F12) {
    const ContextMenuEntry* entry = MenuEntryForKey(static_cast<int>(message.wParam - VK_F1) + 1);
    if (const DialogOpener open = entry ? DialogFor(entry->command) : nullptr) {
      (this->*open)();
      return true;
    }
  }
  return false;
}

INT_PTR CALLBACK CKestrelDlg::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CKestrelDlg*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    dialog->hwnd_ = hwnd;
    dialog->controls_.Attach(hwnd);
    dialog->OnInitDialog();
    return TRUE;
  }
  auto* dialog = reinterpret_cast<CKestrelDlg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CKestrelDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == kAgingTimer) controller_.OnAgingTimer();
      if (wParam == kProgressTimer) ShowTitle();
      return TRUE;
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      return TRUE;
    case WM_ERASEBKGND:
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          BackgroundBrushFor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case kCustomLabelSizeChanged:
      ReloadCustomLabelSize(controls_);
      return FALSE;
    case kWindowThreadCall:
      (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return TRUE;
    case kPostedCall: {
      std::unique_ptr<std::function<void()>> posted(reinterpret_cast<std::function<void()>*>(lParam));
      (*posted)();
      return TRUE;
    }
    case WM_SETCURSOR:
      if (!controller_.Sending()) return FALSE;
      SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_APPSTARTING)));
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CLOSE:
      ReleaseImageBuffer();
      End();
      return TRUE;
    default:
      return FALSE;
  }
}

void CKestrelDlg::OnInitDialog() {
  const std::wstring aboutEntry = LoadText(kAboutEntryText);
  if (HMENU systemMenu = GetSystemMenu(hwnd_, FALSE); systemMenu && !aboutEntry.empty()) {
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kAboutCommand, aboutEntry.c_str());
  }
  icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kWindowIcon));
  // The caption bar's and taskbar's icon drawn at its own size from the icon's pictures.
  smallIcon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kWindowIcon), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon_));
  controller_.Start();
  ShowTitle();
  layout_.Apply(hwnd_, MainWindowTemplate(), nullptr);
  ApplyInterfaceTexts();
  NameControls(hwnd_, MainWindowTemplate());
  captionFonts_.Fit(hwnd_, layout_.Font());
  if (!InterfaceIsChinese()) ShowWindow(GetDlgItem(hwnd_, kSmallFontButton), SW_HIDE);
  background_ = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kBackgroundPicture), IMAGE_BITMAP, 0, 0, 0));
  MakeBackgroundBrush();
}

void CKestrelDlg::ApplyInterfaceTexts() {
  for (const StartupContent& content : StartupContents(PortListEntries(discovery_))) {
    if (content.IsList()) {
      controls_.FillList(content.id, content.items, content.selected);
    } else {
      controls_.SetText(content.id, content.text);
    }
  }
  controls_.SetEnabled(kBaudList, false);
  ReloadCustomLabelSize(controls_);
  ApplyCaptions(controls_);
}

void CKestrelDlg::OnCommand(int id, int code) {
  switch (code) {
    case BN_CLICKED:
      // Enter in a one-line edit and Esc end the window as the close box
      // does, without its release of ImageBuffer.
      if (id == IDOK || id == IDCANCEL) {
        End();
      } else {
        controller_.OnClicked(id);
      }
      break;
    case CBN_SELCHANGE:
      controller_.OnSelection(id, controls_.Selection(id).value_or(-1));
      break;
    case EN_CHANGE:
    case CBN_EDITCHANGE:  // the operator typed into the port list
      controller_.OnTextChanged(id, controls_.Text(id).value_or(""));
      break;
    default:
      break;
  }
}

bool CKestrelDlg::OnSysCommand(WPARAM command) {
  if ((command & 0xFFF0) != kAboutCommand) return false;
  ShowAboutBox(hwnd_);
  return true;
}

// Moved onto a monitor of another scale: the font, the controls and the
// background picture take the new one.
void CKestrelDlg::OnDpiChanged(const RECT& suggested) {
  layout_.Apply(hwnd_, MainWindowTemplate(), &suggested);
  captionFonts_.Fit(hwnd_, layout_.Font());
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  backgroundBrush_ = nullptr;
  MakeBackgroundBrush();
}

CKestrelDlg::DialogOpener CKestrelDlg::DialogFor(MenuCommand command) {
  switch (command) {
    case MenuCommand::kAbout:  // in the system menu on Windows
      break;
    case MenuCommand::kPreview:
      return &CKestrelDlg::ShowPreview;
    case MenuCommand::kPrinterStatus:
      return &CKestrelDlg::ShowPrinterStatus;
  }
  return nullptr;
}

void CKestrelDlg::ShowPreview() { kestrel::win32::ShowPreview(hwnd_, controller_, controls_); }

void CKestrelDlg::ShowPrinterStatus() { kestrel::win32::ShowPrinterStatus(hwnd_, controller_); }

// The context menu from the shared entries this window has a dialog for, at
// the mouse, or at the window's top left corner when asked from the keyboard.
void CKestrelDlg::OnContextMenu(LPARAM at) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  std::vector<DialogOpener> opened;
  for (const ContextMenuEntry& entry : ContextMenuEntries()) {
    const DialogOpener open = DialogFor(entry.command);
    if (!open) continue;
    std::wstring text = Widen(MenuEntryText(entry));
    if (entry.functionKey > 0) text += L"\tF" + std::to_wstring(entry.functionKey);
    opened.push_back(open);
    AppendMenuW(menu, MF_STRING, opened.size(), text.c_str());
  }
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == static_cast<LPARAM>(-1)) {
    point = {0, 0};
    ClientToScreen(hwnd_, &point);
  }
  const UINT chosen = opened.empty() ? 0
                                     : static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x,
                                                                        point.y, 0, hwnd_, nullptr));
  DestroyMenu(menu);
  if (chosen > 0 && chosen <= opened.size()) (this->*opened[chosen - 1])();
}

void CKestrelDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client;
  GetClientRect(hwnd_, &client);
  if (IsIconic(hwnd_)) {
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    DrawIcon(dc, x, y, icon_);
  } else if (backgroundBrush_) {
    FillRect(dc, &client, backgroundBrush_);
  }
  EndPaint(hwnd_, &paint);
}

// The background picture stretched once to the client size; labels, group
// boxes and the check box paint their backgrounds from the same brush, so the
// picture shows behind their texts and a changed text leaves nothing behind.
void CKestrelDlg::MakeBackgroundBrush() {
  if (!background_) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  HDC windowDc = GetDC(hwnd_);
  HDC source = CreateCompatibleDC(windowDc);
  HDC target = CreateCompatibleDC(windowDc);
  HBITMAP stretched = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
  BITMAP picture;
  GetObjectW(background_, sizeof picture, &picture);
  HGDIOBJ oldSource = SelectObject(source, background_);
  HGDIOBJ oldTarget = SelectObject(target, stretched);
  StretchBlt(target, 0, 0, client.right, client.bottom, source, 0, 0, picture.bmWidth, picture.bmHeight, SRCCOPY);
  SelectObject(source, oldSource);
  SelectObject(target, oldTarget);
  DeleteDC(source);
  DeleteDC(target);
  ReleaseDC(hwnd_, windowDc);
  backgroundBrush_ = CreatePatternBrush(stretched);
  DeleteObject(stretched);
}

HBRUSH CKestrelDlg::BackgroundBrushFor(HDC dc, HWND control) {
  if (!backgroundBrush_) return GetSysColorBrush(COLOR_BTNFACE);
  POINT origin{0, 0};
  MapWindowPoints(control, hwnd_, &origin, 1);
  SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
  SetBkMode(dc, TRANSPARENT);
  return backgroundBrush_;
}

void CKestrelDlg::End() {
  if (!hwnd_) return;
  // The window goes at once; a job or a console copy still going out is let
  // out whole first, and the controller's workers, which read the controls,
  // end before the controls go.
  ShowWindow(hwnd_, SW_HIDE);
  controller_.Shutdown();
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  controls_.Attach(nullptr);
  ended_ = true;
}

void CKestrelDlg::ShowMessage(const std::string& text, const std::string& caption) {
  MessageBoxW(hwnd_, Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

void CKestrelDlg::OpenCustomLabelEditor() { EditCustomLabel(hwnd_); }

void CKestrelDlg::EnableAllControls(bool enabled) {
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    EnableWindow(child, enabled);
}

void CKestrelDlg::StartAgingTimer(std::int32_t intervalMs) {
  SetTimer(hwnd_, kAgingTimer, static_cast<UINT>(intervalMs), nullptr);
}

void CKestrelDlg::StopAgingTimer() {
  if (hwnd_) KillTimer(hwnd_, kAgingTimer);
}

void CKestrelDlg::ShowSending(bool sending) {
  if (sending) {
    SetTimer(hwnd_, kProgressTimer, kProgressIntervalMs, nullptr);
  } else {
    KillTimer(hwnd_, kProgressTimer);
  }
  ShowTitle();
}

void CKestrelDlg::ShowTitle() {
  if (hwnd_) SetWindowTextW(hwnd_, Widen(controller_.ProgressTitle()).c_str());
}

void CKestrelDlg::Post(std::function<void()> call) {
  auto* posted = new std::function<void()>(std::move(call));
  if (!hwnd_ || !PostMessageW(hwnd_, kPostedCall, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

void CKestrelDlg::CallOnWindowThread(const std::function<void()>& call) {
  if (hwnd_) SendMessageW(hwnd_, kWindowThreadCall, 0, reinterpret_cast<LPARAM>(&call));
}

void CKestrelDlg::ServeWindowThreadCalls() {
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace kestrel::win32
