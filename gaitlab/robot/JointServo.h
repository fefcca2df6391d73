// One joint's servo: the limits it must keep, and its calibration, which
// Transmission.h turns angles into servo values with.
#ifndef TROTIX_GAITLAB_ROBOT_JOINTSERVO_H_
#define TROTIX_GAITLAB_ROBOT_JOINTSERVO_H_

#include <optional>

#include "trotix/WalkTypes.h"

namespace trotix {

// A missing limit is no limit; a joint without a channel is left out of
// the servo export, whose pulse width is
//     centerUs + direction * (angle - zero) * usPerRad,
// kept within minUs to maxUs, the pulses any hobby servo takes by default.
constexpr double kDefaultMinUs = 500.0;
constexpr double kDefaultMaxUs = 2500.0;

struct JointServo {
  std::optional<double> lower;        // rad
  std::optional<double> upper;        // rad
  std::optional<double> maxSpeed;     // rad/s
  std::optional<double> maxTorqueNm;  // the servo's stall torque, for the physics check
  std::optional<int> channel;
  double zero = 0.0;  // the angle that gives the centre pulse, rad
  int direction = 1;  // +1 or -1
  double centerUs = 1500.0;
  double usPerRad = 2000.0 / kTruePi;  // 1000 us per quarter turn
  double minUs = kDefaultMinUs;
  double maxUs = kDefaultMaxUs;
  // A bus servo's position at `zero`, in its own units; left out, the
  // middle of its travel (2048 on Dynamixel, 500 on LX-16A).
  std::optional<double> center;

  bool hasLimits() const { return lower || upper || maxSpeed; }
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ROBOT_JOINTSERVO_H_
