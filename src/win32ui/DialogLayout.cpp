#include "win32ui/DialogLayout.h"

#include <algorithm>
#include <cmath>

namespace kestrel::win32 {

namespace {

FontMeasures Measure(HWND dialog, HFONT font, int emPixels) {
  HDC dc = GetDC(dialog);
  HGDIOBJ original = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE letters{};
  static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32W(dc, kLetters, 52, &letters);
  SelectObject(dc, original);
  ReleaseDC(dialog, dc);
  return {emPixels, static_cast<int>(metrics.tmHeight), static_cast<int>(letters.cx)};
}

PixelSize WindowSize(HWND dialog, int clientWidth, int clientHeight) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  return {static_cast<int>(frame.right - frame.left), static_cast<int>(frame.bottom - frame.top)};
}

PixelRect WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return {};
  const RECT& work = info.rcWork;
  return {static_cast<int>(work.left), static_cast<int>(work.top), static_cast<int>(work.right - work.left),
          static_cast<int>(work.bottom - work.top)};
}

}  // namespace

UINT WindowDpi(HWND window) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (dpiForWindow) {
    if (const UINT dpi = dpiForWindow(window)) return dpi;
  }
  HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

DialogLayout::~DialogLayout() {
  if (font_) DeleteObject(font_);
}

HFONT DialogLayout::MakeFont(int emPixels) const {
  LOGFONTW font = templateFont_;
  font.lfHeight = -emPixels;
  font.lfWidth = 0;
  return CreateFontIndirectW(&font);
}

void DialogLayout::Apply(HWND dialog, const DialogTemplate& dialogTemplate, const RECT* moved) {
  if (controls_.empty()) {
    auto templateFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!templateFont || !GetObjectW(templateFont, sizeof templateFont_, &templateFont_)) return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      controls_.push_back(child);
  }
  const UINT dpi = WindowDpi(dialog);
  const HMONITOR monitor =
      moved ? MonitorFromRect(moved, MONITOR_DEFAULTTONEAREST) : MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY);
  const PixelRect workArea = WorkAreaOf(monitor);
  const auto emAt = [&](double scale) {
    return static_cast<int>(std::lround(dialogTemplate.fontPoints * scale * dpi / 72.0));
  };
  const auto unitsAt = [&](double scale) {
    HFONT font = MakeFont(emAt(scale));
    const DialogBaseUnits units = DialogBaseUnits::ForFont(Measure(dialog, font, emAt(scale)));
    DeleteObject(font);
    return units;
  };
  scale_ = FitScale(
      [&](double scale) {
        const DialogBaseUnits units = unitsAt(scale);
        return WindowSize(dialog, units.ToPixelsX(dialogTemplate.width), units.ToPixelsY(dialogTemplate.height));
      },
      {workArea.width, workArea.height});
  units_ = unitsAt(scale_);
  if (font_) DeleteObject(font_);
  font_ = MakeFont(emAt(scale_));

  const std::size_t count = std::min(controls_.size(), dialogTemplate.controls.size());
  for (std::size_t i = 0; i < count; ++i) {
    const DialogControl& control = dialogTemplate.controls[i];
    SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetWindowPos(controls_[i], nullptr, units_.ToPixelsX(control.x), units_.ToPixelsY(control.y),
                 units_.ToPixelsX(control.width), units_.ToPixelsY(control.height), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const PixelSize window =
      WindowSize(dialog, units_.ToPixelsX(dialogTemplate.width), units_.ToPixelsY(dialogTemplate.height));
  PixelRect placed = CentredIn(workArea, window);
  if (moved) {
    // After a move to another monitor the window stays where the system put
    // it, as far as the work area lets it.
    placed.left = std::max(workArea.left, std::min<int>(moved->left, workArea.left + workArea.width - window.width));
    placed.top = std::max(workArea.top, std::min<int>(moved->top, workArea.top + workArea.height - window.height));
  }
  SetWindowPos(dialog, nullptr, placed.left, placed.top, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(dialog, nullptr, TRUE);
}

}  // namespace kestrel::win32
