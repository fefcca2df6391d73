// The tick as first written, before any speed work: every frame recomputes
// the turn angle with atan2, sin and cos and rescales its path through
// computeLegFrame, and the leg solver takes the cosine and sine of its
// angles. The benchmark times it beside WalkEngine::tick as a baseline
// measured in the same run.
#ifndef TROTIX_BENCH_ENGINE_REFERENCETICK_H_
#define TROTIX_BENCH_ENGINE_REFERENCETICK_H_

#include "engine/WalkEngine.h"

namespace trotix {

void ReferenceTick(WalkEngine& engine);

}  // namespace trotix

#endif  // TROTIX_BENCH_ENGINE_REFERENCETICK_H_
