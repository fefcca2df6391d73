// From the engine's joint angles to what moves the robot: the value each
// servo is sent (a hobby servo's pulse, a bus servo's position) and the
// joint angles of the physics model, and back from a servo's value to its
// angle.
//
// A servo's value is linear in the angle,
//     value = center + direction * (angle - zero) * perRad,
// with the joint's zero and direction and the servo's own centre and scale:
// the pulse's centerUs and usPerRad, or a bus servo's centre position and
// counts per radian.
//
// The physics model builds every leg alike: each joint zero with its link
// hanging straight down, pitch and knee positive where they swing the foot
// forwards (+x), the roll where it swings the foot towards the leg's own +y.
// The engine's angles differ from that in two ways:
// - Mounting offsets. The solver's upper link points pitch + pitchOffset
//   from straight down and its knee reads the bend plus kneeOffset, so the
//   model's pitch is pitch + pitchOffset and its knee knee - kneeOffset.
// - The rear legs' mirror. The rear solver works with x negated: its angles
//   swing the foot backwards as they grow. The model's rear pitch and knee
//   are therefore the negated geometric angles (mirroring x leaves a roll
//   about x as it is).
// The roll needs neither; which way +y points is the roll axis's sign in
// the model. With the pitch first, the solver is the leg's exact inverse:
// pitch p, roll r and bend k put the foot at
//   y = L sin r,  (x, z) = (w cos p + L cos r sin p, -w sin p + L cos r cos p)
// with w = lower sin k and L = upper + lower cos k, which is its
// r = asin(y / L) and p = atan2(x, z) - atan(w / (L cos r)). With the roll
// first, only targets with y = 0 are exact.
#ifndef TROTIX_GAITLAB_ROBOT_TRANSMISSION_H_
#define TROTIX_GAITLAB_ROBOT_TRANSMISSION_H_

#include "gaitlab/robot/JointServo.h"
#include "trotix/LegGeometry.h"
#include "trotix/WalkTypes.h"

namespace trotix {

// A servo's value at the joint's zero, and its change per radian.
struct ServoScale {
  double center;
  double perRad;
};

// A hobby servo's pulse in microseconds.
inline ServoScale PulseScale(const JointServo& servo) { return {servo.centerUs, servo.usPerRad}; }

// A bus servo's position: the joint's `center`, or else the middle of the
// servo's travel, and the servo's counts per radian.
inline ServoScale BusScale(const JointServo& servo, double middle, double countsPerRad) {
  return {servo.center.value_or(middle), countsPerRad};
}

// The servo's value for `angle`, unrounded and unclamped.
double ServoValue(const JointServo& servo, const ServoScale& scale, double angle);
// The angle a servo at `value` stands at.
double ServoAngle(const JointServo& servo, const ServoScale& scale, double value);

inline double PulseUs(const JointServo& servo, double angle) {
  return ServoValue(servo, PulseScale(servo), angle);
}
inline double AngleOfPulse(const JointServo& servo, double pulseUs) {
  return ServoAngle(servo, PulseScale(servo), pulseUs);
}

// How far the joint's pulse may move in `seconds` at its max_speed, us;
// infinite for a joint without one.
double PulseSlewUs(const JointServo& servo, double seconds);

// The physics model's joint angles, in the engine's order (leg-major pitch,
// roll, knee), for the engine's `angles` on the robot of `geometry`.
JointAngles ModelJointAngles(const RobotGeometry& geometry, const JointAngles& angles);
// Its inverse: the engine's angles of the model's `model`.
JointAngles EngineJointAngles(const RobotGeometry& geometry, const JointAngles& model);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ROBOT_TRANSMISSION_H_
