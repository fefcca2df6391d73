// How the dialog's two sliders steer the walk. The dialog's timer, the tests
// and headless tools all call this one function before each tick.
#ifndef TROTIX_ENGINE_SLIDERMAPPING_H_
#define TROTIX_ENGINE_SLIDERMAPPING_H_

#include "engine/WalkEngine.h"

namespace trotix {

// Writes stepLength, halfStepLength, turnStep and turnStroke of all four legs
// from the slider positions: horizontal (turn, -80..80) and vertical (step,
// -130..130, minimum at the top). A position of exactly 0 counts as 0.0001.
void ApplySliderPositions(WalkEngine& engine, int horizontalPosition, int verticalPosition);

}  // namespace trotix

#endif  // TROTIX_ENGINE_SLIDERMAPPING_H_
