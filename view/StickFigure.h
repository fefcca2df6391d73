// The robot as a stick figure: the body and four two-segment legs posed from
// the engine's joint angles, as coloured line segments in model coordinates
// (x forward, y up, z sideways). Needs no OpenGL; RobotView draws the result.
#ifndef TROTIX_VIEW_STICKFIGURE_H_
#define TROTIX_VIEW_STICKFIGURE_H_

#include <array>
#include <vector>

#include "trotix/WalkEngine.h"

namespace trotix {

using Vertex = std::array<float, 3>;

struct Colour {
  float red;
  float green;
  float blue;
};

constexpr Colour kBodyColour{0.0f, 1.0f, 1.0f};      // cyan
constexpr Colour kUpperLegColour{1.0f, 0.0f, 1.0f};  // magenta
constexpr Colour kLowerLegColour{1.0f, 1.0f, 0.0f};  // yellow

struct Segment {
  Vertex from;
  Vertex to;
  Colour colour;
};

constexpr int kBodySegmentCount = 5;
constexpr int kFigureSegmentCount = kBodySegmentCount + 2 * kLegCount;

// The five body segments, then for legs 0 to 3 the upper and the lower
// segment. With no joint angles (no engine yet) only the body.
std::vector<Segment> StickFigure(const JointAngles* jointAngles);

}  // namespace trotix

#endif  // TROTIX_VIEW_STICKFIGURE_H_
