// A recorded run of the engine: slider positions and the outputs of every
// tick, written as text with full double precision so that a later build can
// prove it computes the same walk.
#ifndef TROTIX_TESTS_ENGINE_GOLDENTRAJECTORY_H_
#define TROTIX_TESTS_ENGINE_GOLDENTRAJECTORY_H_

#include <array>
#include <iosfwd>
#include <vector>

#include "trotix/WalkEngine.h"

namespace trotix {

struct GoldenTick {
  int horizontal = 0;
  int vertical = 0;
  JointAngles angles{};
  std::array<JointCommand, kJointCount> commands{};
};

// Runs a fresh engine through the scripted slider settings (rest, full
// stroke both ways, full turn both ways, mixed) and records every tick.
std::vector<GoldenTick> RecordGoldenTrajectory();

void WriteGoldenTrajectory(std::ostream& out, const std::vector<GoldenTick>& ticks);

// Reads what WriteGoldenTrajectory wrote; lines starting with '#' are
// comments. Returns false on a malformed line.
bool ReadGoldenTrajectory(std::istream& in, std::vector<GoldenTick>& ticks);

}  // namespace trotix

#endif  // TROTIX_TESTS_ENGINE_GOLDENTRAJECTORY_H_
