#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace kestrel::emu {

// A picture of printed dots, one byte a dot (1 printed, 0 blank), rows from
// the top. Everything drawn outside it is dropped.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height) { Resize(width, height); }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }
  bool blank() const;  // no dot printed
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && dots_[static_cast<std::size_t>(y) * width_ + x] != 0;
  }
  const std::uint8_t* Row(int y) const { return dots_.data() + static_cast<std::size_t>(y) * width_; }

  // Clears the picture to the new size.
  void Resize(int width, int height);
  // Grows to at least `height` rows, keeping what is drawn.
  void GrowTo(int height);
  // Keeps the first `height` rows.
  void CutTo(int height);
  // Keeps the first `width` columns.
  void CutWidthTo(int width);
  // The picture turned 90 degrees clockwise.
  Canvas Turned() const;
  void Clear();
  void Fill(int x, int y, int width, int height);
  // How many dots are printed in the rectangle.
  int Count(int x, int y, int width, int height) const;
  // The rightmost column with a printed dot, -1 for none.
  int InkRight() const;

  // Whether a fill reached past an edge since the last TakeClipped.
  bool TakeClipped() { return std::exchange(clipped_, false); }
  void MarkClipped() { clipped_ = true; }

  bool operator==(const Canvas& other) const {
    return width_ == other.width_ && height_ == other.height_ && dots_ == other.dots_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> dots_;
  bool clipped_ = false;
};

// The logical page that a print direction turns onto a canvas: direction 0
// draws left to right from the top left, 1 bottom to top from the bottom
// left, 2 right to left from the bottom right, 3 top to bottom from the top
// right. Directions 1 and 3 swap the width and the height.
// The area may be narrower than the canvas: what is drawn past its right
// edge (in the canvas's terms) still lands on the canvas.
class PageView {
 public:
  PageView(Canvas& canvas, int direction) : PageView(canvas, direction, canvas.width(), canvas.height()) {}
  PageView(Canvas& canvas, int direction, int areaWidth, int areaHeight)
      : canvas_(canvas), direction_(direction & 3), areaWidth_(areaWidth), areaHeight_(areaHeight) {}
  int width() const { return direction_ % 2 == 0 ? areaWidth_ : areaHeight_; }
  int height() const { return direction_ % 2 == 0 ? areaHeight_ : areaWidth_; }
  void Fill(int x, int y, int width, int height);

 private:
  Canvas& canvas_;
  int direction_;
  int areaWidth_;
  int areaHeight_;
};

// Drawing on a page view, in its logical dots.
// A straight line `width` dots thick, grown right of and below the points.
void DrawLine(PageView& view, int width, int x0, int y0, int x1, int y1);
// A rectangle frame whose border of `width` dots lies inside the rectangle.
void DrawFrame(PageView& view, int x, int y, int w, int h, int width);
// A ring of `width` dots whose outer edge is `radius` from the centre.
void DrawCircle(PageView& view, int cx, int cy, int radius, int width);
// Each printed dot of `picture` as a block of scaleX x scaleY dots at (x, y).
void DrawPicture(PageView& view, const Canvas& picture, int x, int y, int scaleX = 1, int scaleY = 1);

}  // namespace kestrel::emu
