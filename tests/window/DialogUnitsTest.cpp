#include <gtest/gtest.h>

#include <cmath>

#include "window/DialogUnits.h"

namespace kestrel {
namespace {

TEST(DialogUnitsTest, BaseUnitsTakeTheLineHeightOnlyUpToThatOfTheTemplatesFonts) {
  struct Row {
    const char* font;
    FontMeasures measures;
    int x;
    int y;
  };
  const Row rows[] = {
      {"DejaVu Sans 9 pt at 96 dpi", {12, 14, 362}, 7, 14},
      {"Noto Sans CJK 9 pt at 96 dpi, lines of 1.45 em", {12, 17, 356}, 7, 14},
      {"SimSun 9 pt, lines of 1 em", {12, 12, 312}, 6, 12},
      {"Tahoma 9 pt at 144 dpi", {18, 22, 540}, 10, 22},
      {"WenQuanYi Micro Hei 9 pt at 144 dpi", {18, 27, 540}, 10, 22},
      {"a toolkit that gives no size", {0, 15, 338}, 7, 15},
  };
  for (const Row& row : rows) {
    const DialogBaseUnits units = DialogBaseUnits::ForFont(row.measures);
    EXPECT_EQ(units.x, row.x) << row.font;
    EXPECT_EQ(units.y, row.y) << row.font;
  }
  const DialogBaseUnits units{7, 14};
  EXPECT_EQ(units.ToPixelsX(320), 560);
  EXPECT_EQ(units.ToPixelsY(419), 733);
  EXPECT_EQ(units.ToPixelsX(1), 2);  // 1.75
  EXPECT_EQ(units.ToPixelsY(3), 5);  // 5.25
}

// A window of 560 x 733 client pixels whose caption bar and frame (8 x 38)
// do not shrink with the font.
PixelSize MainWindowAt(double scale) {
  return {static_cast<int>(std::lround(560 * scale)) + 8, static_cast<int>(std::lround(733 * scale)) + 38};
}

TEST(DialogUnitsTest, FitScaleShrinksJustEnoughForTheWholeWindowToFit) {
  struct Row {
    PixelSize workArea;
    bool shrinks;
  };
  const Row rows[] = {
      {{1920, 1040}, false}, {{1366, 738}, true}, {{1024, 738}, true}, {{800, 570}, true}, {{0, 0}, false}};
  for (const Row& row : rows) {
    const double scale = FitScale(MainWindowAt, row.workArea);
    const PixelSize window = MainWindowAt(scale);
    if (!row.shrinks) {
      EXPECT_EQ(scale, 1.0) << row.workArea.height;
      continue;
    }
    EXPECT_LT(scale, 1.0) << row.workArea.height;
    EXPECT_LE(window.height, row.workArea.height);
    EXPECT_LE(window.width, row.workArea.width);
    EXPECT_GT(window.height, row.workArea.height - 20) << "shrank more than needed";
  }
  EXPECT_EQ(FitScale(MainWindowAt, {200, 100}), 0.5);  // no readable window fits: the smallest
}

TEST(DialogUnitsTest, WindowsOpenCentredOnTheWorkAreaWithTheirCaptionBarOnIt) {
  struct Row {
    PixelRect workArea;
    PixelSize window;
    int left;
    int top;
  };
  const Row rows[] = {
      {{0, 0, 1366, 738}, {568, 700}, 399, 19},
      {{0, 30, 1024, 738}, {568, 700}, 228, 49},      // a panel on top
      {{1920, 0, 1280, 984}, {568, 700}, 2276, 142},  // the second monitor
      {{0, 0, 800, 560}, {568, 700}, 116, 0},         // too tall: the caption bar stays on screen
  };
  for (const Row& row : rows) {
    const PixelRect placed = CentredIn(row.workArea, row.window);
    EXPECT_EQ(placed.left, row.left);
    EXPECT_EQ(placed.top, row.top);
    EXPECT_EQ(placed.width, row.window.width);
    EXPECT_EQ(placed.height, row.window.height);
  }
}

}  // namespace
}  // namespace kestrel
