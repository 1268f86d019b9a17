#include "win32ui/PreviewDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "emulator/PngFile.h"
#include "emulator/StreamPreview.h"
#include "emulator/VirtualPrinter.h"
#include "language/TranslationMap.h"
#include "language/win32/WideText.h"
#include "win32ui/DialogLayout.h"
#include "win32ui/DialogTemplateEx.h"
#include "win32ui/PageView.h"
#include "window/DialogControls.h"
#include "window/JobPreview.h"
#include "window/MainWindowController.h"

namespace kestrel::win32 {

namespace {

// The page and the command list are made in the place of their placeholders,
// as the template kinds have neither a page nor a read-only text that
// scrolls sideways.
constexpr DialogControl kPreviewControls[] = {
    {kPreviewJobList, ControlKind::ListBox, "", 7, 7, 100, 296},
    {kPreviewPageList, ControlKind::DropDownList, "", 114, 7, 120, 150},
    {kPreviewFit, ControlKind::CheckBox, "", 242, 8, 110, 12},
    {kPreviewPage, ControlKind::Label, "", 114, 24, 300, 279},
    {kPreviewCommands, ControlKind::Label, "", 421, 7, 232, 296},
    {kPreviewSavePicture, ControlKind::PushButton, "", 463, 309, 65, 14},
    {kPreviewSaveBytes, ControlKind::PushButton, "", 533, 309, 65, 14},
    {kPreviewClose, ControlKind::PushButton, "", 603, 309, 50, 14},
};

constexpr DialogTemplate kPreviewTemplate{0, "", 660, 330, 9, kPreviewControls};

// How a control follows the dialog when the operator makes it larger than
// the template: the shares of the width and the height gained that move its
// left and top edges, and that widen and heighten it. The page and the
// commands share the width; the lists, the page and the commands take the
// height; the buttons keep to the bottom right corner.
struct Anchor {
  int id;
  double moveX, moveY, growX, growY;
};
constexpr Anchor kAnchors[] = {
    {kPreviewJobList, 0, 0, 0, 1},     {kPreviewPage, 0, 0, 0.5, 1},    {kPreviewCommands, 0.5, 0, 0.5, 1},
    {kPreviewSavePicture, 1, 1, 0, 0}, {kPreviewSaveBytes, 1, 1, 0, 0}, {kPreviewClose, 1, 1, 0, 0},
};

DialogFrame PreviewFrame() {
  DialogFrame frame = ModalFrame();
  frame.style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
  return frame;
}

std::wstring Text(PreviewText text) { return Widen(PreviewCaption(text)); }

class PreviewDialog {
 public:
  PreviewDialog(MainWindowController& controller, const DialogControls& window)
      : controller_(controller), window_(window) {}
  ~PreviewDialog() {
    if (fixedFont_) DeleteObject(fixedFont_);
  }
  PreviewDialog(const PreviewDialog&) = delete;
  PreviewDialog& operator=(const PreviewDialog&) = delete;

  static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Init();
  void Lay(const RECT* moved);
  SIZE TemplateSize() const;
  void FollowSize();
  void WidenForCommands();
  void Render();
  void ShowPage();
  void SavePicture();
  void SaveBytes();
  std::optional<std::wstring> AskForFile(PreviewText title, const wchar_t* filter, const wchar_t* extension);
  void Tell(const std::string& text);
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  MainWindowController& controller_;
  const DialogControls& window_;
  HWND hwnd_ = nullptr;
  DialogLayout layout_;
  HFONT fixedFont_ = nullptr;
  PageView page_;
  std::vector<PreviewJob> jobs_;
  std::vector<std::uint8_t> bytes_;
  emu::StreamPreview preview_;
};

INT_PTR CALLBACK PreviewDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<PreviewDialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    dialog->hwnd_ = hwnd;
    dialog->Init();
    return TRUE;
  }
  auto* dialog = reinterpret_cast<PreviewDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return dialog ? dialog->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR PreviewDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DPICHANGED:
      Lay(reinterpret_cast<const RECT*>(lParam));
      WidenForCommands();
      return TRUE;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) FollowSize();
      return TRUE;
    case WM_GETMINMAXINFO: {
      // Never smaller than the template as laid out.
      const SIZE base = TemplateSize();
      if (base.cx == 0) return FALSE;
      RECT frame{0, 0, base.cx, base.cy};
      AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      return TRUE;
    }
    case WM_COMMAND:
      break;
    default:
      return FALSE;
  }
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == kPreviewJobList && code == LBN_SELCHANGE) Render();
  if (id == kPreviewPageList && code == CBN_SELCHANGE) ShowPage();
  if (id == kPreviewFit && code == BN_CLICKED) page_.SetFitted(IsDlgButtonChecked(hwnd_, kPreviewFit) == BST_CHECKED);
  if (id == kPreviewSavePicture && code == BN_CLICKED) SavePicture();
  if (id == kPreviewSaveBytes && code == BN_CLICKED) SaveBytes();
  if (id == kPreviewClose || id == IDOK || id == IDCANCEL) EndDialog(hwnd_, id);
  return TRUE;
}

void PreviewDialog::Init() {
  SetWindowTextW(hwnd_, Text(PreviewText::kTitle).c_str());
  SetDlgItemTextW(hwnd_, kPreviewFit, Text(PreviewText::kFitToWindow).c_str());
  SetDlgItemTextW(hwnd_, kPreviewSavePicture, Text(PreviewText::kSavePicture).c_str());
  SetDlgItemTextW(hwnd_, kPreviewSaveBytes, Text(PreviewText::kSaveBytes).c_str());
  SetDlgItemTextW(hwnd_, kPreviewClose, Text(PreviewText::kClose).c_str());
  page_.Create(Item(kPreviewPage));
  // Read-only, but the lines can be selected and copied.
  HWND placeholder = Item(kPreviewCommands);
  HWND commands = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                                      ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                  0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPreviewCommands)),
                                  GetModuleHandleW(nullptr), nullptr);
  SetWindowPos(commands, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(placeholder);
  SendMessageW(commands, EM_SETLIMITTEXT, 0, 0);
  Lay(nullptr);

  jobs_ = PreviewJobs(window_);
  for (const PreviewJob& job : jobs_)
    SendDlgItemMessageW(hwnd_, kPreviewJobList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(job.caption).c_str()));
  if (!jobs_.empty()) {
    SendDlgItemMessageW(hwnd_, kPreviewJobList, LB_SETCURSEL, 0, 0);
    Render();
  }
}

// The dialog at the monitor's scale, as every dialog of the window is laid
// out; the commands in a fixed-pitch face of the same size, so that their
// bytes stand in columns.
void PreviewDialog::Lay(const RECT* moved) {
  layout_.Apply(hwnd_, kPreviewTemplate, moved);
  LOGFONTW font{};
  GetObjectW(layout_.Font(), sizeof font, &font);
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(font.lfFaceName, InterfaceIsChinese() ? L"NSimSun" : L"Courier New", LF_FACESIZE);
  if (fixedFont_) DeleteObject(fixedFont_);
  fixedFont_ = CreateFontIndirectW(&font);
  SendDlgItemMessageW(hwnd_, kPreviewCommands, WM_SETFONT, reinterpret_cast<WPARAM>(fixedFont_), TRUE);
  FollowSize();
}

// The template's client size in pixels, as laid out; zero before.
SIZE PreviewDialog::TemplateSize() const {
  if (!layout_.Font()) return {0, 0};
  return {layout_.BaseUnits().ToPixelsX(kPreviewTemplate.width),
          layout_.BaseUnits().ToPixelsY(kPreviewTemplate.height)};
}

void PreviewDialog::FollowSize() {
  const SIZE base = TemplateSize();
  if (base.cx == 0) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  const double gainedX = std::max(0L, client.right - base.cx);
  const double gainedY = std::max(0L, client.bottom - base.cy);
  const DialogBaseUnits& units = layout_.BaseUnits();
  for (const Anchor& anchor : kAnchors) {
    const auto control = std::find_if(std::begin(kPreviewControls), std::end(kPreviewControls),
                                      [&anchor](const DialogControl& row) { return row.id == anchor.id; });
    const auto by = [](double gained, double share) { return static_cast<int>(std::lround(gained * share)); };
    SetWindowPos(Item(anchor.id), nullptr, units.ToPixelsX(control->x) + by(gainedX, anchor.moveX),
                 units.ToPixelsY(control->y) + by(gainedY, anchor.moveY),
                 units.ToPixelsX(control->width) + by(gainedX, anchor.growX),
                 units.ToPixelsY(control->height) + by(gainedY, anchor.growY), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  page_.Refresh();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// Composes the job as its button would, with what the main window's controls
// hold now, and prints it on the virtual printer. While a job goes out
// nothing is composed, and the job shown stays.
void PreviewDialog::Render() {
  const LRESULT row = SendDlgItemMessageW(hwnd_, kPreviewJobList, LB_GETCURSEL, 0, 0);
  if (row < 0 || static_cast<std::size_t>(row) >= jobs_.size()) return;
  const std::string& job = jobs_[static_cast<std::size_t>(row)].name;
  std::optional<std::vector<std::uint8_t>> composed = ComposePreview(controller_, job);
  if (!composed) {
    if (controller_.Sending()) Tell(PreviewCaption(PreviewText::kJobGoingOut));
    return;
  }
  bytes_ = std::move(*composed);
  preview_ = emu::StreamPreview(bytes_, emu::PrintWidthOfJob(job));

  std::string lines;
  for (const std::string& line : preview_.Lines()) lines += line + "\r\n";
  SetDlgItemTextW(hwnd_, kPreviewCommands, Widen(lines).c_str());
  WidenForCommands();

  HWND pages = Item(kPreviewPageList);
  SendMessageW(pages, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : PreviewPageEntries(preview_.PageCount()))
    SendMessageW(pages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  SendMessageW(pages, CB_SETCURSEL, 0, 0);
  ShowPage();
}

void PreviewDialog::ShowPage() {
  const LRESULT index = SendDlgItemMessageW(hwnd_, kPreviewPageList, CB_GETCURSEL, 0, 0);
  const bool printed = index >= 0 && static_cast<std::size_t>(index) < preview_.PageCount();
  page_.Show(printed ? &preview_.PageAt(static_cast<std::size_t>(index)) : nullptr);
}

// The dialog grows until the commands' column shows its longest line whole,
// as far as the monitor's work area allows, and does not shrink again, so
// that it keeps its size from one job to the next. The page gets as much.
void PreviewDialog::WidenForCommands() {
  HWND commands = Item(kPreviewCommands);
  HDC dc = GetDC(commands);
  HGDIOBJ original = SelectObject(dc, fixedFont_);
  LONG widest = 0;
  for (const std::string& line : preview_.Lines()) {
    const std::wstring wide = Widen(line);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    widest = std::max(widest, extent.cx);
  }
  SelectObject(dc, original);
  ReleaseDC(commands, dc);
  RECT client;
  GetClientRect(commands, &client);
  const auto margins = static_cast<LONG>(LOWORD(SendMessageW(commands, EM_GETMARGINS, 0, 0)) +
                                         HIWORD(SendMessageW(commands, EM_GETMARGINS, 0, 0)) + 2);
  const LONG missing = widest + margins - client.right;
  if (missing <= 0 || IsZoomed(hwnd_)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  // The commands take half of what the dialog gains.
  const LONG width = std::min(frame.right - frame.left + 2 * missing, work.right - work.left);
  const LONG left = std::clamp(frame.left - missing, work.left, work.right - width);
  SetWindowPos(hwnd_, nullptr, left, frame.top, width, frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<std::wstring> PreviewDialog::AskForFile(PreviewText title, const wchar_t* filter,
                                                      const wchar_t* extension) {
  wchar_t name[MAX_PATH] = {};
  const std::wstring caption = Text(title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = hwnd_;
  dialog.lpstrFilter = filter;
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = caption.c_str();
  dialog.lpstrDefExt = extension;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return std::wstring(name);
}

void PreviewDialog::SavePicture() {
  const LRESULT index = SendDlgItemMessageW(hwnd_, kPreviewPageList, CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= preview_.PageCount()) return;
  const auto path = AskForFile(PreviewText::kSavePictureTitle, L"PNG (*.png)\0*.png\0", L"png");
  if (!path) return;
  std::string error;
  if (!emu::WritePng(Narrow(*path), preview_.PageAt(static_cast<std::size_t>(index)), &error))
    Tell(PreviewCaption(PreviewText::kNotSaved) + error);
}

void PreviewDialog::SaveBytes() {
  const auto path = AskForFile(PreviewText::kSaveBytesTitle, L"(*.bin)\0*.bin\0", L"bin");
  if (!path) return;
  if (const FileResult saved = SavePreviewBytes(Narrow(*path), bytes_); !saved)
    Tell(PreviewCaption(PreviewText::kNotSaved) + saved.detail);
}

void PreviewDialog::Tell(const std::string& text) { MessageBoxW(hwnd_, Widen(text).c_str(), L"Kestrel", MB_OK); }

}  // namespace

void ShowPreview(HWND owner, MainWindowController& controller, const DialogControls& window) {
  PreviewDialog dialog(controller, window);
  const std::vector<std::uint8_t> layout = BuildDialogTemplate(kPreviewTemplate, PreviewFrame());
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
                          PreviewDialog::Proc, reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace kestrel::win32
