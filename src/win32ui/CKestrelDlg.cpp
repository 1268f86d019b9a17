#include "win32ui/CKestrelDlg.h"

#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "language/win32/WideText.h"
#include "version/Version.h"
#include "win32ui/DialogTemplateEx.h"
#include "win32ui/SmallDialogs.h"
#include "window/InterfaceItems.h"
#include "window/JobButtons.h"
#include "window/MainWindowJobs.h"
#include "window/MainWindowStart.h"

namespace kestrel::win32 {

namespace {

constexpr int kWindowIcon = 99;
constexpr int kAboutEntryText = 101;
constexpr int kBackgroundPicture = 131;
constexpr int kConnectButton = 1003;
constexpr int kPortList = 1000;
constexpr int kBaudList = 1001;
constexpr int kBackfeedEdit = 1022;
constexpr int kSmallFontButton = 1084;
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

CKestrelDlg::CKestrelDlg(const PortDiscovery& discovery)
    : discovery_(discovery),
      link_(std::make_unique<PrinterLink>(*this, discovery_)),
      sender_(std::make_unique<JobSender>([this](std::function<void()> call) {
        auto* posted = new std::function<void()>(std::move(call));
        if (!hwnd_ || !PostMessageW(hwnd_, kPostedCall, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
      })) {}

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
  if (message.message == WM_KEYDOWN && message.wParam == VK_F8 && inWindow) {
    ShowVersionHistory(hwnd_);
    return true;
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
      if (wParam == kAgingTimer) aging_.Tick();
      if (wParam == kProgressTimer) ShowSendProgress();
      return TRUE;
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
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
      if (!Sending()) return FALSE;
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
  LoadInterfaceLanguage();
  idleTitle_ = Widen(WindowTitle(GetVersionText()));
  SetWindowTextW(hwnd_, idleTitle_.c_str());
  layout_.Apply(hwnd_, MainWindowTemplate(), nullptr);
  ApplyInterfaceTexts();
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
  EnableBaudList(false);
  ReloadCustomLabelSize(controls_);
  ApplyCaptions(controls_);
}

void CKestrelDlg::OnCommand(int id, int code) {
  if (code == BN_CLICKED) {
    OnClicked(id);
  } else if (code == CBN_SELCHANGE) {
    const int index = controls_.Selection(id).value_or(-1);
    if (id == kPortList) {
      link_->PortTypeChanged(index);
    } else {
      StoreListSelection(id, index);
    }
  } else if (code == EN_CHANGE && id == kBackfeedEdit) {
    StoreBackfeedText(controls_.Text(id).value_or(""));
  }
}

void CKestrelDlg::OnClicked(int id) {
  for (const JobButton& button : JobButtons()) {
    if (button.id == id) {
      PressJobButton(*this, id, button.job, AgingRunning());
      return;
    }
  }
  switch (id) {
    case kConnectButton:
      if (!Sending()) link_->ToggleConnection();
      break;
    case 1076:
      aging_.Start();
      break;
    case 1077:
      aging_.Stop();
      break;
    case 1079:
      aging_.ResetCount();
      break;
    case 1035:
      console_.Send();
      break;
    case 1036:
      console_.SendStandardMode(AgingRunning());
      break;
    case 1037:
      console_.HexClicked(controls_.Checked(id).value_or(false));
      break;
    case 1038:
      console_.Clear();
      break;
    case 1042:
      EditCustomLabel(hwnd_);
      break;
    case IDOK:
    case IDCANCEL:
      // Enter in a one-line edit and Esc end the window as the close box
      // does, without its release of ImageBuffer.
      End();
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
  // Writes still going out end at once; the sender and the console's
  // workers read the controls and write through the link: they end before
  // the window goes.
  link_->AbandonWrites();
  sender_->Wait();
  console_.StopWorkers();
  StopAgingTimer();
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  controls_.Attach(nullptr);
  ended_ = true;
}

int CKestrelDlg::PortSelection() const { return controls_.Selection(kPortList).value_or(0); }

std::string CKestrelDlg::PortText() const { return controls_.Text(kPortList).value_or(""); }

std::string CKestrelDlg::BaudText() const { return controls_.Text(kBaudList).value_or(""); }

void CKestrelDlg::ShowMessage(const std::string& text, const std::string& caption) {
  MessageBoxW(hwnd_, Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

void CKestrelDlg::SetConnectCaption(const std::string& caption) { controls_.SetText(kConnectButton, caption); }

void CKestrelDlg::EnablePortList(bool enabled) { EnableControl(kPortList, enabled); }

void CKestrelDlg::EnableBaudList(bool enabled) { EnableControl(kBaudList, enabled); }

void CKestrelDlg::EnableAllControls(bool enabled) {
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    EnableWindow(child, enabled);
}

void CKestrelDlg::EnableControl(int id, bool enabled) {
  if (HWND control = GetDlgItem(hwnd_, id)) EnableWindow(control, enabled);
}

void CKestrelDlg::StartAgingTimer(std::int32_t intervalMs) {
  SetTimer(hwnd_, kAgingTimer, static_cast<UINT>(intervalMs), nullptr);
}

void CKestrelDlg::StopAgingTimer() {
  if (hwnd_) KillTimer(hwnd_, kAgingTimer);
}

bool CKestrelDlg::Sending() const { return sender_->Busy(); }

bool CKestrelDlg::SendOffThread(std::function<bool()> write, std::function<void(bool)> done) {
  const bool started = sender_->Start(std::move(write), [this, done = std::move(done)](bool written) {
    KillTimer(hwnd_, kProgressTimer);
    SetWindowTextW(hwnd_, idleTitle_.c_str());
    if (done) done(written);
  });
  if (!started) return false;
  ShowSendProgress();
  SetTimer(hwnd_, kProgressTimer, kProgressIntervalMs, nullptr);
  return true;
}

// "Kestrel - V1.0.0.16 - 发送中 42%": the share of the job that has left.
void CKestrelDlg::ShowSendProgress() {
  const PrinterLink::WriteProgress progress = link_->Progress();
  const auto percent = progress.total > 0 ? progress.sent * 100 / progress.total : 0;
  const std::wstring sending = InterfaceIsChinese() ? L"发送中" : L"Sending";
  SetWindowTextW(hwnd_, (idleTitle_ + L" - " + sending + L" " + std::to_wstring(percent) + L"%").c_str());
}

void CKestrelDlg::CallOnWindowThread(const std::function<void()>& call) {
  if (hwnd_) SendMessageW(hwnd_, kWindowThreadCall, 0, reinterpret_cast<LPARAM>(&call));
}

void CKestrelDlg::ServeWindowThreadCalls() {
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace kestrel::win32
