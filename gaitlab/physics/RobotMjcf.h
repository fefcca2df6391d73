// The robot as a MuJoCo model (MJCF text), built from the engine's geometry
// and the physical parameters. Loadable by MuJoCo's own tools as it is.
#ifndef TROTIX_GAITLAB_ROBOTMJCF_H_
#define TROTIX_GAITLAB_ROBOTMJCF_H_

#include <array>
#include <string>

#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsParameters.h"

namespace trotix {

// Names in the model: bodies "trunk", "legN_upper", "legN_lower"; joints
// and their servos "legN_roll", "legN_pitch", "legN_knee"; sites
// "legN_foot" at the foot spheres' centres; geoms "floor", "trunk" and
// "legN_foot"; the keyframe "standing" when `gait` has a standing pose.
std::string RobotMjcf(const PhysicsParameters& parameters, double tickPeriodMs,
                      const MjcfGait& gait = {});

// The file beside an exported model that holds a run's replay:
// "robot.xml" gives "robot-replay.csv".
std::string ReplayPath(const std::string& mjcfPath);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ROBOTMJCF_H_
