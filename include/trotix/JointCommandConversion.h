// Conversions from angles to joint commands (signed micro-radians).
#ifndef TROTIX_JOINTCOMMANDCONVERSION_H_
#define TROTIX_JOINTCOMMANDCONVERSION_H_

#include <cmath>
#include <limits>

#include "trotix/WalkEngine.h"

namespace trotix {

// ((degrees x 3.141592) x (1 / 180)) x 1,000,000, each product in this
// order, truncated toward zero like RadiansToJointCommand (90 gives 1570796).
JointCommand DegreesToJointCommand(double degrees);

// Truncates toward zero; a plain cast would be undefined outside int32.
inline JointCommand TruncateToCommand(double value) {
  constexpr JointCommand kMax = std::numeric_limits<JointCommand>::max();
  constexpr JointCommand kMin = std::numeric_limits<JointCommand>::min();
  if (std::isnan(value)) return 0;
  if (value >= kMax) return kMax;
  if (value <= kMin) return kMin;
  return static_cast<JointCommand>(value);
}

// radians x 1,000,000, truncated toward zero (-0.0000015 rad gives -1, not
// -2). Values beyond the int32 range saturate; NaN gives 0.
inline JointCommand RadiansToJointCommand(double radians) {
  return TruncateToCommand(radians * 1000000.0);
}

}  // namespace trotix

#endif  // TROTIX_JOINTCOMMANDCONVERSION_H_
