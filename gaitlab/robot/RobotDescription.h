// The robot a gait drives: its legs' lengths and offsets, where its
// shoulders sit, how each leg's joints are chained, which way a foot
// target's y points, and each joint's servo. The gait file's `robot` and
// `joints` sections describe it; without them it is the built-in robot.
#ifndef TROTIX_GAITLAB_ROBOT_ROBOTDESCRIPTION_H_
#define TROTIX_GAITLAB_ROBOT_ROBOTDESCRIPTION_H_

#include <array>

#include "gaitlab/robot/JointServo.h"
#include "trotix/LegGeometry.h"
#include "trotix/WalkTypes.h"

namespace trotix {

// The order of a leg's two shoulder joints, from the trunk outwards.
// Pitch first: the roll turns about the pitched upper link's along-track
// axis, the leg the engine's solver inverts exactly. Roll first: the roll
// turns about the trunk's long axis and the pitch follows it.
enum class LegChain { kPitchFirst, kRollFirst };

// Which way a foot target's +y points. Outward: away from the trunk on each
// side (the roll servos mounted mirror-image). Shared: to the robot's left
// on every leg.
enum class LateralAxis { kOutward, kShared };

// +1 where a leg's foot-target y points to the robot's left, -1 where it
// points to its right (the right legs, 0 and 2, when the axis is outward).
inline double LateralSign(LateralAxis axis, int leg) {
  return axis == LateralAxis::kOutward && leg % 2 == 0 ? -1.0 : 1.0;
}

// +1 for the front legs, -1 for the rear legs, whose solver negates x.
inline double AlongTrackSign(int leg) { return IsFrontLeg(leg) ? 1.0 : -1.0; }

struct RobotDescription {
  LegDimensions front = kFrontLegDimensions;
  LegDimensions rear = kRearLegDimensions;
  double shoulderX = kBodyPitchBase / 2.0;  // mm, half the front-to-rear distance
  double shoulderY = kLateralBase;          // mm, half the left-to-right distance
  LegChain legChain = LegChain::kPitchFirst;
  LateralAxis lateralAxis = LateralAxis::kOutward;
  std::array<JointServo, kJointCount> joints;

  // The engine's geometry of this robot.
  RobotGeometry geometry() const;
  const LegDimensions& leg(int leg) const { return IsFrontLeg(leg) ? front : rear; }
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ROBOT_ROBOTDESCRIPTION_H_
