// What one tick publishes: the row that the tables and the plot are made of.
#ifndef TROTIX_GAITLAB_RUN_TICKRECORD_H_
#define TROTIX_GAITLAB_RUN_TICKRECORD_H_

#include <array>
#include <cstdint>

#include "trotix/WalkEngine.h"

namespace trotix {

// Where the physics model's trunk is at the end of a tick: x, y and height
// above the floor in mm (the world's x and y, from where it started), and
// its yaw (counted on past a half turn), roll and pitch in radians.
struct BodyPose {
  double x, y, yaw, roll, pitch, height;

  std::array<double, 6> values() const { return {x, y, yaw, roll, pitch, height}; }
};

struct TickRecord {
  std::int64_t tick = 0;
  JointAngles angles{};
  std::array<JointCommand, kJointCount> commands{};
  std::array<std::array<double, 3>, kLegCount> targets{};  // frame 0, [leg][x, y, z]
  BodyPose body{};                                         // with --physics only
  // Each servo's torque, N m, averaged over the tick; positive drives its
  // engine angle up. With --physics only.
  std::array<double, kJointCount> torques{};
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUN_TICKRECORD_H_
