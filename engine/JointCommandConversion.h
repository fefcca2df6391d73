// Conversions from angles to joint commands (signed micro-radians).
#ifndef TROTIX_ENGINE_JOINTCOMMANDCONVERSION_H_
#define TROTIX_ENGINE_JOINTCOMMANDCONVERSION_H_

#include "engine/WalkEngine.h"

namespace trotix {

// The robot's value of pi, used wherever degrees and radians meet.
constexpr double kRobotPi = 3.141592;

// radians x 1,000,000, truncated toward zero (-0.0000015 rad gives -1, not
// -2). Values beyond the int32 range saturate; NaN gives 0.
JointCommand RadiansToJointCommand(double radians);

// ((degrees x 3.141592) x (1 / 180)) x 1,000,000, each product in this
// order, truncated toward zero like RadiansToJointCommand (90 gives 1570796).
JointCommand DegreesToJointCommand(double degrees);

}  // namespace trotix

#endif  // TROTIX_ENGINE_JOINTCOMMANDCONVERSION_H_
