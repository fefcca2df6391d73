// The pulse a servo is sent for a joint's angle, in whole microseconds and
// never outside what the joint allows: the pulses of its lower and upper
// angle limits, its pulse range (minUs to maxUs) and, with the slew limit
// on, its max_speed from one tick to the next.
#ifndef TROTIX_GAITLAB_SERVOLIMITER_H_
#define TROTIX_GAITLAB_SERVOLIMITER_H_

#include <cstdint>
#include <optional>

#include "gaitlab/run/GaitSettings.h"

namespace trotix {

class ServoLimiter {
 public:
  ServoLimiter(const JointServo& servo, double tickSeconds, bool slewLimit);

  // The pulse for this tick's angle; call once per tick, in tick order.
  std::int64_t pulse(double angle);
  // Whether the last pulse differs from the plain calibration's.
  bool limited() const { return limited_; }

  // The lowest and highest pulse this joint may be sent.
  std::int64_t lowestUs() const { return low_; }
  std::int64_t highestUs() const { return high_; }

 private:
  JointServo servo_;
  std::int64_t low_, high_;
  double slewUs_;  // largest change per tick; infinite without a slew limit
  std::optional<double> previous_;
  bool limited_ = false;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SERVOLIMITER_H_
