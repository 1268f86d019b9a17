#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "emulator/Canvas.h"

namespace kestrel::win32 {

// A page of the virtual printer in a window of its own, printed dots black
// on white: at its size, a dot a pixel at 96 dpi and in proportion at other
// scales, with scroll bars where it is larger than the window; or fitted
// into the window, its proportions kept. The window's background around the
// page is the application work space's colour. Usage:
//
//   view_.Create(GetDlgItem(dialog, id));  // in the place of a placeholder
//   view_.Show(&page);                     // the page outlives the view
class PageView {
 public:
  // The size the page is drawn at, in pixels: LOWORD the width, HIWORD the
  // height; 0 without a page.
  static constexpr UINT kShownSizeMessage = WM_USER + 1;

  PageView() = default;
  ~PageView();
  PageView(const PageView&) = delete;
  PageView& operator=(const PageView&) = delete;

  // The view takes the placeholder's place, id, position and tab order; the
  // placeholder is destroyed. False when the window could not be made.
  bool Create(HWND placeholder);
  HWND Handle() const { return hwnd_; }

  void Show(const emu::Canvas* page);
  void SetFitted(bool fitted);
  // After the window moved to a monitor of another scale.
  void Refresh();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  SIZE ShownSize() const;
  void UpdateScrollBars();
  void Scroll(int bar, WPARAM request);
  void Paint();

  HWND hwnd_ = nullptr;
  int width_ = 0;  // the page's, in dots
  int height_ = 0;
  std::vector<std::uint8_t> bits_;  // the page as a top-down 1-bit DIB
  bool fitted_ = false;
  POINT scroll_{0, 0};
  bool updatingBars_ = false;  // a bar shown or hidden resizes the window meanwhile
};

}  // namespace kestrel::win32
