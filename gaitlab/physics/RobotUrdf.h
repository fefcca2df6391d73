// The robot as a URDF file for ROS tools (robot_state_publisher, RViz,
// check_urdf): the model RobotMjcf writes, with the same geometry, masses,
// inertias and joint axes, and joint limits from the gait file's joints.
#ifndef TROTIX_GAITLAB_ROBOTURDF_H_
#define TROTIX_GAITLAB_ROBOTURDF_H_

#include <string>

#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsParameters.h"

namespace trotix {

// Links "trunk", "legN_shoulder" (between the two shoulder joints),
// "legN_upper", "legN_lower" and "legN_foot"; revolute joints named as
// the MJCF's, the foot fixed to its lower link. A joint's limits are the
// gait's lower and upper where it gives both, else a half turn either
// way; its effort, velocity limit and damping are those of the servo that
// `parameters` drive the joint with (ServoParametersOf gives a gait's).
std::string RobotUrdf(const PhysicsParameters& parameters, const MjcfGait& gait);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ROBOTURDF_H_
