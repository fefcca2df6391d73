// Measures on screenshots of the robot view: the background colour, the
// bounding box of the figure, how many pixels differ between two frames.
#ifndef TROTIX_TESTS_APP_SCREENMEASURES_H_
#define TROTIX_TESTS_APP_SCREENMEASURES_H_

#include <cstdint>

#include "testing/x11/XSession.h"

namespace trotix::testing {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

struct FigureBox {
  int left = 0;
  int top = 0;
  int right = -1;  // inclusive; right < left means no figure
  int bottom = -1;
  int pixels = 0;  // pixels that are not background
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
  bool empty() const { return pixels == 0; }
};

// The colour of the four corners when they agree, else 0xFFFFFFFF.
std::uint32_t UniformCornerColour(const ScreenImage& image);
FigureBox FindFigure(const ScreenImage& image, std::uint32_t background);
int ChangedPixels(const ScreenImage& a, const ScreenImage& b);
// Pixels that are not a shade of grey (an icon among a box's grey and text).
int ColouredPixels(const ScreenImage& image);

}  // namespace trotix::testing

#endif  // TROTIX_TESTS_APP_SCREENMEASURES_H_
