#include "python/src/CheckedArguments.h"

#include <string>

#include "gaitlab/io/IntegerText.h"
#include "trotix/SliderMapping.h"

namespace trotix {

std::int64_t CheckedTicks(std::int64_t ticks, const char* name) {
  return ParseBoundedInteger(std::to_string(ticks), 0, kMaxTicks, name);
}

SliderPositions CheckedSliders(int turn, int step) {
  return {static_cast<int>(ParseBoundedInteger(std::to_string(turn), kTurnMin, kTurnMax, "turn")),
          static_cast<int>(ParseBoundedInteger(std::to_string(step), kStepMin, kStepMax, "step"))};
}

}  // namespace trotix
