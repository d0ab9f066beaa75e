#pragma once
// A picture in memory for the plan views: the map, the relief and the 3-D height image are made
// pixel by pixel, which no painter call per sample could do fast enough.
#include <algorithm>
#include <vector>

#include "model/Palette.h"

namespace magmo {

struct RgbImage {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // rows top to bottom, each left to right

  RgbImage() = default;
  RgbImage(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
  bool empty() const { return pixels.empty(); }
  Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The part of the w x h block at (x, y) that lies on the picture.
  void fillBlock(int x, int y, int w, int h, Rgb c) {
    const int left = std::max(x, 0), right = std::min(x + w, width);
    const int top = std::max(y, 0), bottom = std::min(y + h, height);
    for (int row = top; row < bottom; ++row) std::fill_n(&at(left, row), std::max(right - left, 0), c);
  }
};

}  // namespace magmo
