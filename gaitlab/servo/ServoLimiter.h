// The pulse a servo is sent for a joint's angle, in whole microseconds and
// never outside what the joint allows: the pulses of its lower and upper
// angle limits, its pulse range (minUs to maxUs) and, with the slew limit
// on, its max_speed from one tick to the next.
#ifndef TROTIX_GAITLAB_SERVOLIMITER_H_
#define TROTIX_GAITLAB_SERVOLIMITER_H_

#include <cstdint>
#include <optional>
#include <string>

#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// Which of the joint's limits decided a limited pulse.
enum class LimitCause {
  kNone,
  kRange,       // lower or upper
  kPulseRange,  // min_us or max_us, the angle being within lower and upper
  kSpeed,       // max_speed, with the slew limit on
};
constexpr int kLimitCauses = 4;

class ServoLimiter {
 public:
  ServoLimiter(const JointServo& servo, double tickSeconds, bool slewLimit);

  // The pulse for this tick's angle; call once per tick, in tick order.
  std::int64_t pulse(double angle);
  // Whether the last pulse differs from the plain calibration's, and why.
  bool limited() const { return cause_ != LimitCause::kNone; }
  LimitCause cause() const { return cause_; }

  // The lowest and highest pulse this joint may be sent.
  std::int64_t lowestUs() const { return low_; }
  std::int64_t highestUs() const { return high_; }
  // The largest change of pulse from one tick to the next; infinite
  // without a slew limit.
  double slewUs() const { return slewUs_; }

 private:
  JointServo servo_;
  std::int64_t low_, high_;
  double rangeLowUs_, rangeHighUs_;  // the pulses of lower and upper; infinite where none
  double slewUs_;
  std::optional<double> previous_;
  LimitCause cause_ = LimitCause::kNone;
};

// Empty when some angle of the joint's declared range (lower to upper, open
// where one is left out) has a pulse inside its pulse range; else why not,
// e.g. "its range 0.154 to 0.329 rad needs 3270 to 4145 us, outside its
// pulse range 500 to 2500 us".
std::string UnreachableRange(const JointServo& servo);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SERVOLIMITER_H_
