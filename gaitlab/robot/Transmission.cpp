#include "gaitlab/robot/Transmission.h"

#include <cmath>
#include <limits>

#include "gaitlab/robot/RobotDescription.h"

namespace trotix {

double ServoValue(const JointServo& servo, const ServoScale& scale, double angle) {
  return scale.center + servo.direction * (angle - servo.zero) * scale.perRad;
}

double ServoAngle(const JointServo& servo, const ServoScale& scale, double value) {
  return servo.zero + (value - scale.center) / (servo.direction * scale.perRad);
}

double PulseSlewUs(const JointServo& servo, double seconds) {
  if (!servo.maxSpeed) return std::numeric_limits<double>::infinity();
  return *servo.maxSpeed * seconds * std::fabs(servo.usPerRad);
}

JointAngles ModelJointAngles(const RobotGeometry& geometry, const JointAngles& angles) {
  JointAngles model{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegGeometry& legGeometry = geometry.leg(leg);
    const double sign = AlongTrackSign(leg);
    model[3 * leg + 0] = sign * (angles[3 * leg + 0] + legGeometry.pitchOffset);
    model[3 * leg + 1] = angles[3 * leg + 1];
    model[3 * leg + 2] = sign * (angles[3 * leg + 2] - legGeometry.kneeOffset);
  }
  return model;
}

JointAngles EngineJointAngles(const RobotGeometry& geometry, const JointAngles& model) {
  JointAngles angles{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    const LegGeometry& legGeometry = geometry.leg(leg);
    const double sign = AlongTrackSign(leg);
    angles[3 * leg + 0] = sign * model[3 * leg + 0] - legGeometry.pitchOffset;
    angles[3 * leg + 1] = model[3 * leg + 1];
    angles[3 * leg + 2] = sign * model[3 * leg + 2] + legGeometry.kneeOffset;
  }
  return angles;
}

}  // namespace trotix
