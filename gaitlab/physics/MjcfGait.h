// What a gait file adds to the robot model besides its physics section:
// each joint's range from the joints section and the pose the robot stands
// in before it walks.
#ifndef TROTIX_GAITLAB_MJCFGAIT_H_
#define TROTIX_GAITLAB_MJCFGAIT_H_

#include <array>
#include <optional>

#include <vector>

#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

using JointRange = std::array<double, 2>;  // lowest, highest, in the model's angle

struct MjcfState {
  std::vector<double> qpos, ctrl;
};

struct MjcfGait {
  // The robot: its legs' lengths and shoulders, leg chain and lateral axis.
  RobotDescription robot;
  // Only joints with both limits get a range.
  std::array<std::optional<JointRange>, kJointCount> ranges{};
  // The engine's angles of its first tick at rest, and the trunk's height
  // (mm) that puts the lowest foot on the floor; none without a gait.
  std::optional<JointAngles> standing;
  double standingHeightMm = 0.0;
  // A physics run's first state, as MuJoCo's qpos and ctrl: the keyframe
  // "replay", where its replay starts.
  std::optional<MjcfState> replayStart;
};

MjcfGait MjcfGaitOf(const GaitSettings& gait, const PhysicsParameters& parameters);

// `parameters` with each joint's servo as the gait's joints section
// declares it (max_speed, max_torque_nm).
PhysicsParameters ServoParametersOf(PhysicsParameters parameters, const GaitSettings& gait);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_MJCFGAIT_H_
