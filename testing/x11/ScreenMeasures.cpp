#include "testing/x11/ScreenMeasures.h"

#include <algorithm>

namespace trotix::testing {

std::uint32_t UniformCornerColour(const ScreenImage& image) {
  if (image.width == 0 || image.height == 0) return 0xFFFFFFFFu;
  const std::uint32_t corner = image.at(0, 0);
  const int right = image.width - 1;
  const int bottom = image.height - 1;
  if (image.at(right, 0) != corner || image.at(0, bottom) != corner ||
      image.at(right, bottom) != corner) {
    return 0xFFFFFFFFu;
  }
  return corner;
}

FigureBox FindFigure(const ScreenImage& image, std::uint32_t background) {
  FigureBox box;
  box.left = image.width;
  box.top = image.height;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.at(x, y) == background) continue;
      ++box.pixels;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

int ChangedPixels(const ScreenImage& a, const ScreenImage& b) {
  if (a.pixels.size() != b.pixels.size()) return -1;
  int changed = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) changed += a.pixels[i] != b.pixels[i] ? 1 : 0;
  return changed;
}

int ColouredPixels(const ScreenImage& image) {
  int coloured = 0;
  for (std::uint32_t p : image.pixels) {
    const int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
    coloured += std::max({red, green, blue}) - std::min({red, green, blue}) > 60 ? 1 : 0;
  }
  return coloured;
}

}  // namespace trotix::testing
