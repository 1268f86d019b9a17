#pragma once

#include <functional>

namespace kestrel {

// What a toolkit measures of the dialog font, in pixels, for the dialog's
// base units.
struct FontMeasures {
  int emPixels = 0;     // the font's size: points * dots per inch / 72
  int lineHeight = 0;   // ascent + descent of the font the toolkit chose
  int letterWidth = 0;  // the width of "A..Za..z", 52 letters
};

// The dialog font's base units in pixels: a dialog unit is a quarter of `x`
// across and an eighth of `y` down.
struct DialogBaseUnits {
  int x = 1;
  int y = 1;

  // The templates were laid out for the Windows dialog fonts, whose height is
  // at most 1.2 em. A font chosen for its Chinese glyphs (Noto Sans CJK,
  // WenQuanYi Micro Hei) spaces its lines far wider than that, and taking its
  // line height would make the Chinese window a fifth taller than the English
  // one; its height counts only up to 1.2 em. The width is the letters'
  // average, rounded as the Windows dialog manager rounds it.
  static DialogBaseUnits ForFont(const FontMeasures& font);

  // Rounded to nearest, as MulDiv does: x * baseX / 4 and y * baseY / 8.
  int ToPixelsX(int dialogUnits) const;
  int ToPixelsY(int dialogUnits) const;
};

struct PixelSize {
  int width = 0;
  int height = 0;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The largest factor, at most 1, by which the dialog font (and with it every
// control) shrinks so that the whole window fits inside `workArea`.
// `windowAt` gives the window's size, frame and caption bar included, for a
// factor; the caption bar does not shrink with the font, so the factor is
// found by trying rather than by one division. A work area too small for any
// readable window gives the smallest factor tried.
double FitScale(const std::function<PixelSize(double scale)>& windowAt, PixelSize workArea);

// Where a window of `window` pixels opens: centred on the work area, and where
// it is larger than the work area, at its top or left edge, so that the
// caption bar stays reachable.
PixelRect CentredIn(const PixelRect& workArea, PixelSize window);

}  // namespace kestrel
