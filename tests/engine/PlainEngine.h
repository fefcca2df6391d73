// The engine's tick as plainly written, before any speed work: every frame
// recomputes the turn angle with atan2, sin and cos and rescales its path
// through computeLegFrame, and the leg solver takes the cosine and sine of
// its angles. Tests hold the optimised engine to it; the benchmark times it
// as a baseline in the same run.
#ifndef TROTIX_TESTS_ENGINE_PLAINENGINE_H_
#define TROTIX_TESTS_ENGINE_PLAINENGINE_H_

#include "engine/LegSolver.h"
#include "engine/WalkEngine.h"

namespace trotix {

void PlainAdvanceGait(WalkEngine& engine);
// Solver with both heights 0, for targets that need no degenerate-input guard.
LegAngles PlainSolve(const LegGeometry& geometry, double x, double y, double z);
void PlainTick(WalkEngine& engine);

}  // namespace trotix

#endif  // TROTIX_TESTS_ENGINE_PLAINENGINE_H_
