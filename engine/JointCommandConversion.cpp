#include "engine/JointCommandConversion.h"

#include <cmath>
#include <limits>

namespace trotix {
namespace {

constexpr double kMicroPerUnit = 1000000.0;
constexpr double kOneOver180 = 0.005555555555555556;

// Truncates toward zero; a plain cast would be undefined outside int32.
JointCommand TruncateToCommand(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = std::numeric_limits<JointCommand>::max();
  constexpr double kMin = std::numeric_limits<JointCommand>::min();
  if (value >= kMax) return std::numeric_limits<JointCommand>::max();
  if (value <= kMin) return std::numeric_limits<JointCommand>::min();
  return static_cast<JointCommand>(value);
}

}  // namespace

JointCommand RadiansToJointCommand(double radians) {
  return TruncateToCommand(radians * kMicroPerUnit);
}

JointCommand DegreesToJointCommand(double degrees) {
  return TruncateToCommand(((degrees * kRobotPi) * kOneOver180) * kMicroPerUnit);
}

}  // namespace trotix
