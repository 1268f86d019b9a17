#include "emulator/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kestrel::emu {

void Canvas::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  dots_.assign(static_cast<std::size_t>(width_) * height_, 0);
}

void Canvas::GrowTo(int height) {
  if (height <= height_) return;
  height_ = height;
  dots_.resize(static_cast<std::size_t>(width_) * height_, 0);
}

void Canvas::CutTo(int height) {
  if (height >= height_) return;
  height_ = std::max(height, 0);
  dots_.resize(static_cast<std::size_t>(width_) * height_);
}

void Canvas::CutWidthTo(int width) {
  if (width >= width_) return;
  width = std::max(width, 0);
  for (int row = 0; row < height_; ++row)
    std::memmove(dots_.data() + static_cast<std::size_t>(row) * width, Row(row), static_cast<std::size_t>(width));
  width_ = width;
  dots_.resize(static_cast<std::size_t>(width_) * height_);
}

Canvas Canvas::Turned() const {
  Canvas turned(height_, width_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (At(x, y)) turned.dots_[static_cast<std::size_t>(x) * height_ + (height_ - 1 - y)] = 1;
  return turned;
}

int Canvas::InkRight() const {
  int right = -1;
  for (int y = 0; y < height_; ++y)
    for (int x = width_ - 1; x > right; --x)
      if (Row(y)[x] != 0) right = x;
  return right;
}

bool Canvas::blank() const {
  return std::all_of(dots_.begin(), dots_.end(), [](std::uint8_t dot) { return dot == 0; });
}

void Canvas::Clear() { std::fill(dots_.begin(), dots_.end(), 0); }

void Canvas::Fill(int x, int y, int width, int height) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(static_cast<long>(x) + width, static_cast<long>(width_));
  const int bottom = std::min(static_cast<long>(y) + height, static_cast<long>(height_));
  if (width > 0 && height > 0 &&
      (x < 0 || y < 0 || right < static_cast<long>(x) + width || bottom < static_cast<long>(y) + height))
    clipped_ = true;
  for (int row = top; row < bottom; ++row)
    if (right > left) std::memset(dots_.data() + static_cast<std::size_t>(row) * width_ + left, 1, right - left);
}

int Canvas::Count(int x, int y, int width, int height) const {
  int count = 0;
  for (int row = y; row < y + height; ++row)
    for (int column = x; column < x + width; ++column) count += At(column, row) ? 1 : 0;
  return count;
}

void PageView::Fill(int x, int y, int w, int h) {
  const int pw = areaWidth_;
  const int ph = areaHeight_;
  switch (direction_) {
    case 0:
      canvas_.Fill(x, y, w, h);
      break;
    case 1:
      canvas_.Fill(y, ph - x - w, h, w);
      break;
    case 2:
      canvas_.Fill(pw - x - w, ph - y - h, w, h);
      break;
    default:
      canvas_.Fill(pw - y - h, x, h, w);
      break;
  }
}

void DrawLine(PageView& view, int width, int x0, int y0, int x1, int y1) {
  width = std::max(width, 1);
  if (y0 == y1) return view.Fill(std::min(x0, x1), y0, std::abs(x1 - x0) + 1, width);
  if (x0 == x1) return view.Fill(x0, std::min(y0, y1), width, std::abs(y1 - y0) + 1);
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int stepX = x0 < x1 ? 1 : -1;
  const int stepY = y0 < y1 ? 1 : -1;
  for (int error = dx + dy;;) {
    view.Fill(x0, y0, width, width);
    if (x0 == x1 && y0 == y1) break;
    const int twice = 2 * error;
    if (twice >= dy) error += dy, x0 += stepX;
    if (twice <= dx) error += dx, y0 += stepY;
  }
}

void DrawFrame(PageView& view, int x, int y, int w, int h, int width) {
  width = std::max(width, 1);
  if (2 * width >= w || 2 * width >= h) return view.Fill(x, y, w, h);
  view.Fill(x, y, w, width);
  view.Fill(x, y + h - width, w, width);
  view.Fill(x, y + width, width, h - 2 * width);
  view.Fill(x + w - width, y + width, width, h - 2 * width);
}

void DrawCircle(PageView& view, int cx, int cy, int radius, int width) {
  // A dot belongs to the ring when its distance from the centre lies between
  // the inner and the outer radius, each widened by half a dot.
  const double outer = (radius + 0.5) * (radius + 0.5);
  const int innerRadius = radius - std::max(width, 1);
  const double inner = innerRadius < 0 ? -1.0 : (innerRadius + 0.5) * (innerRadius + 0.5);
  for (int dy = -radius; dy <= radius; ++dy) {
    const double rest = outer - static_cast<double>(dy) * dy;
    const int reach = static_cast<int>(std::floor(std::sqrt(std::max(rest, 0.0))));
    const double innerRest = inner - static_cast<double>(dy) * dy;
    if (innerRest < 0) {
      view.Fill(cx - reach, cy + dy, 2 * reach + 1, 1);
      continue;
    }
    const int hole = static_cast<int>(std::floor(std::sqrt(innerRest)));
    view.Fill(cx - reach, cy + dy, reach - hole, 1);
    view.Fill(cx + hole + 1, cy + dy, reach - hole, 1);
  }
}

void DrawPicture(PageView& view, const Canvas& picture, int x, int y, int scaleX, int scaleY) {
  for (int row = 0; row < picture.height(); ++row) {
    const std::uint8_t* dots = picture.Row(row);
    for (int column = 0; column < picture.width();) {
      if (dots[column] == 0) {
        ++column;
        continue;
      }
      int run = 1;  // a run of printed dots is one fill
      while (column + run < picture.width() && dots[column + run] != 0) ++run;
      view.Fill(x + column * scaleX, y + row * scaleY, run * scaleX, scaleY);
      column += run;
    }
  }
}

}  // namespace kestrel::emu
