#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

// A centred slider still drives a tiny stroke, never an exact zero.
constexpr double kRestPosition = 0.0001;

double SliderValue(int position) {
  const double value = static_cast<double>(position);
  return value == 0.0 ? kRestPosition : value;
}

}  // namespace

void ApplySliderPositions(WalkEngine& engine, int horizontalPosition, int verticalPosition) {
  const double v = SliderValue(verticalPosition);
  const double h = SliderValue(horizontalPosition);
  for (LegGaitParams& leg : engine.legs) {
    leg.stepLength = -v;
    leg.halfStepLength = -v * kHalfStepPerPosition;
    leg.turnStep = h;
    leg.turnStroke = h * kTurnStrokePerPosition;
  }
}

}  // namespace trotix
