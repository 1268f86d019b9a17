#pragma once

#include <windows.h>

#include <map>

namespace kestrel::win32 {

// The template's sizes were made for the dialog font of a Windows system in
// the window's language; where a caption does not fit its control on this
// system (English captions, mostly), the control gets a smaller size of the
// same font instead of a wrapped or clipped caption. Labels of two lines and
// more may wrap and are left as they are. Owns the fonts it makes.
class CaptionFonts {
 public:
  CaptionFonts() = default;
  ~CaptionFonts();
  CaptionFonts(const CaptionFonts&) = delete;
  CaptionFonts& operator=(const CaptionFonts&) = delete;

  // Call after the captions and list items are set. `font` is the controls'
  // font; without it, the dialog's.
  void Fit(HWND dialog, HFONT font = nullptr);

 private:
  HFONT FontOfHeight(const LOGFONTW& base, LONG height);

  std::map<LONG, HFONT> fonts_;
};

}  // namespace kestrel::win32
