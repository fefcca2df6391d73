#include "trotix/JointCommandConversion.h"

namespace trotix {

JointCommand DegreesToJointCommand(double degrees) {
  constexpr double kOneOver180 = 0.005555555555555556;
  return TruncateToCommand(((degrees * kRobotPi) * kOneOver180) * 1000000.0);
}

}  // namespace trotix
