// What the engine itself says, tick by tick, for comparing trotix-gait's
// output against: drives a WalkEngine through its API directly.
#ifndef TROTIX_TESTING_ENGINE_ENGINEREFERENCE_H_
#define TROTIX_TESTING_ENGINE_ENGINEREFERENCE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "trotix/WalkEngine.h"

namespace trotix {

struct ReferenceTick {
  JointAngles angles;
  std::array<JointCommand, kJointCount> commands;
  std::array<double, 12> targets;  // frame 0, leg-major x, y, z
};

// A slider change taking effect before tick `tick`.
struct SliderChange {
  std::int64_t tick;
  int turn;
  int step;
};

// Runs a copy of `start` (a fresh engine unless given).
std::vector<ReferenceTick> ReferenceRun(std::int64_t ticks, int turn, int step,
                                        const std::vector<SliderChange>& changes = {},
                                        const WalkEngine& start = WalkEngine());

// Splits text into lines and each line at `separator`.
std::vector<std::string> SplitText(const std::string& text, char separator);

}  // namespace trotix

#endif  // TROTIX_TESTING_ENGINE_ENGINEREFERENCE_H_
