#include "win32ui/PageView.h"

#include <algorithm>
#include <cmath>

#include "win32ui/DialogLayout.h"

namespace kestrel::win32 {

namespace {

constexpr wchar_t kClassName[] = L"KestrelPageView";
// Room left around a fitted page, as the Linux window leaves it.
constexpr int kFitMargin = 4;
constexpr int kLineStep = 16;

bool RegisterViewClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSW view{};
    view.lpfnWndProc = proc;
    view.hInstance = GetModuleHandleW(nullptr);
    view.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    view.lpszClassName = kClassName;
    return RegisterClassW(&view) != 0;
  }();
  return registered;
}

// The page as a top-down 1-bit DIB: bit 1 white paper, bit 0 a printed dot.
std::vector<std::uint8_t> PageBits(const emu::Canvas& page) {
  const std::size_t stride = (static_cast<std::size_t>(page.width()) + 31) / 32 * 4;
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(page.height()), 0xFF);
  for (int y = 0; y < page.height(); ++y) {
    const std::uint8_t* dots = page.Row(y);
    std::uint8_t* row = bits.data() + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < page.width(); ++x)
      if (dots[x] != 0) row[x / 8] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
  }
  return bits;
}

}  // namespace

PageView::~PageView() {
  if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

bool PageView::Create(HWND placeholder) {
  HWND dialog = GetParent(placeholder);
  if (!placeholder || !dialog || !RegisterViewClass(Proc)) return false;
  RECT area;
  GetWindowRect(placeholder, &area);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, area.left,
                  area.top, area.right - area.left, area.bottom - area.top, dialog,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(placeholder))), GetModuleHandleW(nullptr),
                  this);
  if (!hwnd_) return false;
  SetWindowPos(hwnd_, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(placeholder);
  return true;
}

void PageView::Show(const emu::Canvas* page) {
  width_ = page ? page->width() : 0;
  height_ = page ? page->height() : 0;
  bits_ = page ? PageBits(*page) : std::vector<std::uint8_t>();
  scroll_ = {0, 0};
  Refresh();
}

void PageView::SetFitted(bool fitted) {
  fitted_ = fitted;
  scroll_ = {0, 0};
  Refresh();
}

void PageView::Refresh() {
  if (!hwnd_) return;
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

SIZE PageView::ShownSize() const {
  if (width_ <= 0 || height_ <= 0) return {0, 0};
  double scale = WindowDpi(hwnd_) / static_cast<double>(USER_DEFAULT_SCREEN_DPI);
  if (fitted_) {
    RECT client;
    GetClientRect(hwnd_, &client);
    scale = std::min(static_cast<double>(client.right - kFitMargin) / width_,
                     static_cast<double>(client.bottom - kFitMargin) / height_);
  }
  return {std::max(1L, std::lround(width_ * scale)), std::max(1L, std::lround(height_ * scale))};
}

// Twice, as the one bar appearing narrows the room for the other.
void PageView::UpdateScrollBars() {
  if (updatingBars_) return;
  updatingBars_ = true;
  for (int pass = 0; pass < 2; ++pass) {
    const SIZE shown = fitted_ ? SIZE{0, 0} : ShownSize();
    RECT client;
    GetClientRect(hwnd_, &client);
    scroll_.x = std::clamp<LONG>(scroll_.x, 0, std::max(0L, shown.cx - client.right));
    scroll_.y = std::clamp<LONG>(scroll_.y, 0, std::max(0L, shown.cy - client.bottom));
    SCROLLINFO bar{sizeof bar,
                   SIF_RANGE | SIF_PAGE | SIF_POS,
                   0,
                   std::max(0, static_cast<int>(shown.cx) - 1),
                   static_cast<UINT>(client.right),
                   static_cast<int>(scroll_.x),
                   0};
    SetScrollInfo(hwnd_, SB_HORZ, &bar, TRUE);
    bar.nMax = std::max(0, static_cast<int>(shown.cy) - 1);
    bar.nPage = static_cast<UINT>(client.bottom);
    bar.nPos = static_cast<int>(scroll_.y);
    SetScrollInfo(hwnd_, SB_VERT, &bar, TRUE);
  }
  updatingBars_ = false;
}

void PageView::Scroll(int bar, WPARAM request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &info);
  LONG& position = bar == SB_HORZ ? scroll_.x : scroll_.y;
  switch (LOWORD(request)) {
    case SB_LINEUP:
      position -= kLineStep;
      break;
    case SB_LINEDOWN:
      position += kLineStep;
      break;
    case SB_PAGEUP:
      position -= static_cast<LONG>(info.nPage);
      break;
    case SB_PAGEDOWN:
      position += static_cast<LONG>(info.nPage);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      return;
  }
  Refresh();
}

void PageView::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
  const SIZE shown = ShownSize();
  if (shown.cx > 0) {
    // Centred where it is smaller than the window, else scrolled.
    const int left = shown.cx < client.right ? (client.right - shown.cx) / 2 : -static_cast<int>(scroll_.x);
    const int top = shown.cy < client.bottom ? (client.bottom - shown.cy) / 2 : -static_cast<int>(scroll_.y);
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[2];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 1, BI_RGB, 0, 0, 0, 2, 2};
    info.colours[1] = {255, 255, 255, 0};
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, left, top, shown.cx, shown.cy, 0, 0, width_, height_, bits_.data(),
                  reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
  }
  EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK PageView::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* view = static_cast<PageView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    view->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  }
  auto* view = reinterpret_cast<PageView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!view) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;  // painted whole in WM_PAINT
    case WM_PAINT:
      view->Paint();
      return 0;
    case WM_SIZE:
      view->Refresh();
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      view->Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, wParam);
      return 0;
    case WM_MOUSEWHEEL:
      view->Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
      return 0;
    case kShownSizeMessage: {
      const SIZE shown = view->ShownSize();
      return MAKELRESULT(shown.cx, shown.cy);
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      view->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace kestrel::win32
