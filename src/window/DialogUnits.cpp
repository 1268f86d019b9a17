#include "window/DialogUnits.h"

#include <algorithm>
#include <cmath>

namespace kestrel {

namespace {

// The line height of the dialog fonts the templates were made for, per em.
constexpr double kTemplateLineHeight = 1.2;
// Below half its size the dialog font can no longer be read.
constexpr double kSmallestScale = 0.5;
constexpr double kScaleStep = 0.02;

int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  return static_cast<int>((product >= 0 ? product + denominator / 2 : product - denominator / 2) / denominator);
}

}  // namespace

DialogBaseUnits DialogBaseUnits::ForFont(const FontMeasures& font) {
  DialogBaseUnits units;
  units.x = std::max(1, (font.letterWidth / 26 + 1) / 2);
  const int templateHeight = static_cast<int>(std::lround(font.emPixels * kTemplateLineHeight));
  units.y = std::max(1, font.emPixels > 0 ? std::min(font.lineHeight, templateHeight) : font.lineHeight);
  return units;
}

int DialogBaseUnits::ToPixelsX(int dialogUnits) const { return MulDiv(dialogUnits, x, 4); }

int DialogBaseUnits::ToPixelsY(int dialogUnits) const { return MulDiv(dialogUnits, y, 8); }

double FitScale(const std::function<PixelSize(double scale)>& windowAt, PixelSize workArea) {
  if (workArea.width <= 0 || workArea.height <= 0) return 1.0;
  double scale = 1.0;
  while (scale > kSmallestScale) {
    const PixelSize window = windowAt(scale);
    if (window.width <= workArea.width && window.height <= workArea.height) return scale;
    const double needed = std::min(double(workArea.width) / window.width, double(workArea.height) / window.height);
    // Shrinks at least a step each round: rounding to whole pixels and
    // points may leave the window a little over at the factor that divides.
    scale = std::max(kSmallestScale, std::min(scale * needed, scale - kScaleStep));
  }
  return kSmallestScale;
}

PixelRect CentredIn(const PixelRect& workArea, PixelSize window) {
  const auto start = [](int areaStart, int areaSize, int size) {
    return areaStart + std::max(0, (areaSize - size) / 2);
  };
  return {start(workArea.left, workArea.width, window.width), start(workArea.top, workArea.height, window.height),
          window.width, window.height};
}

}  // namespace kestrel
