// What one tick publishes: the row that the tables and the plot are made of.
#ifndef TROTIX_TOOLS_TICKRECORD_H_
#define TROTIX_TOOLS_TICKRECORD_H_

#include <array>
#include <cstdint>

#include "engine/WalkEngine.h"

namespace trotix {

struct TickRecord {
  std::int64_t tick = 0;
  JointAngles angles{};
  std::array<JointCommand, kJointCount> commands{};
  std::array<std::array<double, 3>, kLegCount> targets{};  // frame 0, [leg][x, y, z]
};

}  // namespace trotix

#endif  // TROTIX_TOOLS_TICKRECORD_H_
