#pragma once

#include <windows.h>

#include <vector>

#include "window/DialogTemplate.h"
#include "window/DialogUnits.h"

namespace kestrel::win32 {

// Sizes a dialog built from a template with the base units the Qt window
// uses, at the DPI of the monitor it is on: the dialog manager's own units
// follow the line height of whatever font the system picks for the template's
// face, which for a Chinese system is far taller than the fonts the templates
// were laid out for. Where the window would not fit the monitor's work area,
// the font and every control shrink until it does; the window opens centred
// on that work area. Owns the font it gives the controls. Usage:
//
//   layout_.Apply(dialog, MainWindowTemplate(), nullptr);     // in WM_INITDIALOG
//   layout_.Apply(dialog, MainWindowTemplate(), &suggested);  // on WM_DPICHANGED
class DialogLayout {
 public:
  DialogLayout() = default;
  ~DialogLayout();
  DialogLayout(const DialogLayout&) = delete;
  DialogLayout& operator=(const DialogLayout&) = delete;

  // `moved` is where the system proposes the window after a DPI change;
  // without it the window is centred.
  void Apply(HWND dialog, const DialogTemplate& dialogTemplate, const RECT* moved);

  HFONT Font() const { return font_; }
  const DialogBaseUnits& BaseUnits() const { return units_; }
  double Scale() const { return scale_; }

 private:
  HFONT MakeFont(int emPixels) const;

  std::vector<HWND> controls_;  // in template order, taken when first laid out
  LOGFONTW templateFont_{};
  HFONT font_ = nullptr;
  DialogBaseUnits units_;
  double scale_ = 1.0;
};

// The dots per inch of the monitor a window is on: the system's where the
// per-monitor call is missing (Windows before 10).
UINT WindowDpi(HWND window);

}  // namespace kestrel::win32
