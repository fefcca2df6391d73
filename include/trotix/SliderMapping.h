// How the dialog's two sliders steer the walk. The dialog's timer, the tests
// and headless tools all call this one function before each tick.
#ifndef TROTIX_SLIDERMAPPING_H_
#define TROTIX_SLIDERMAPPING_H_

#include "WalkEngine.h"

namespace trotix {

// The sliders' ranges: horizontal (turn) and vertical (step, the minimum at
// the top). The dialog sets them; headless tools refuse positions outside.
constexpr int kTurnMin = -80;
constexpr int kTurnMax = 80;
constexpr int kStepMin = -130;
constexpr int kStepMax = 130;

// Millimetres per slider position: the half step from the vertical slider,
// the turn stroke from the horizontal one.
constexpr double kHalfStepPerPosition = 0.5;
constexpr double kTurnStrokePerPosition = 0.8;
// The largest along-track half stroke the sliders give a leg.
constexpr double kMaxSliderHalfStroke =
    kStepMax * kHalfStepPerPosition + kTurnMax * kTurnStrokePerPosition;

// Writes stepLength, halfStepLength, turnStep and turnStroke of all four legs
// from the slider positions. A position of exactly 0 counts as 0.0001.
void ApplySliderPositions(WalkEngine& engine, int horizontalPosition, int verticalPosition);

}  // namespace trotix

#endif  // TROTIX_SLIDERMAPPING_H_
