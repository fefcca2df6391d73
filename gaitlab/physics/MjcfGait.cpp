#include "gaitlab/physics/MjcfGait.h"

#include <algorithm>

#include "gaitlab/robot/Transmission.h"
#include "trotix/LegGeometry.h"

namespace trotix {

MjcfGait MjcfGaitOf(const GaitSettings& gait, const PhysicsParameters& parameters) {
  MjcfGait result;
  result.robot = gait.robot;
  const RobotGeometry geometry = gait.robot.geometry();
  for (int joint = 0; joint < kJointCount; ++joint) {
    const JointServo& servo = gait.robot.joints[joint];
    if (!servo.lower || !servo.upper) continue;
    JointAngles lower{}, upper{};
    lower[joint] = *servo.lower;
    upper[joint] = *servo.upper;
    const double a = ModelJointAngles(geometry, lower)[joint];
    const double b = ModelJointAngles(geometry, upper)[joint];
    result.ranges[joint] = JointRange{std::min(a, b), std::max(a, b)};
  }
  WalkStep walk = WalkStepOf(gait);
  const TickRecord first = walk.step({0, 0});
  result.standing = first.angles;
  // The model puts each foot on its target as the solver moved it into reach.
  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& target = first.targets[leg];
    const Vector3 aim = ClampToReach(geometry.leg(leg), {target[0], target[1], target[2]});
    result.standingHeightMm = std::max(result.standingHeightMm, aim.z + parameters.footRadiusMm);
  }
  return result;
}

PhysicsParameters ServoParametersOf(PhysicsParameters parameters, const GaitSettings& gait) {
  for (int joint = 0; joint < kJointCount; ++joint) {
    parameters.jointMaxSpeed[joint] = gait.robot.joints[joint].maxSpeed;
    parameters.jointMaxTorque[joint] = gait.robot.joints[joint].maxTorqueNm;
  }
  return parameters;
}

}  // namespace trotix
