#include "gaitlab/servo/ServoLimiter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gaitlab/robot/Transmission.h"

namespace trotix {

ServoLimiter::ServoLimiter(const JointServo& servo, double tickSeconds, bool slewLimit)
    : servo_(servo) {
  // The pulse range comes first: no angle limit may lead outside it.
  const double rangeLow = std::ceil(servo.minUs);
  const double rangeHigh = std::max(rangeLow, std::floor(servo.maxUs));
  constexpr double kNone = std::numeric_limits<double>::infinity();
  const double atLower = servo.lower ? PulseUs(servo, *servo.lower) : -kNone;
  const double atUpper = servo.upper ? PulseUs(servo, *servo.upper) : kNone;
  // A negative direction turns the upper angle into the lower pulse.
  const bool rising = servo.direction * servo.usPerRad > 0;
  const double angleLow = rising ? atLower : (servo.upper ? atUpper : -kNone);
  const double angleHigh = rising ? atUpper : (servo.lower ? atLower : kNone);
  const double low = std::clamp(std::ceil(angleLow), rangeLow, rangeHigh);
  // An angle range without a whole microsecond inside keeps its lower end.
  const double high = std::max(low, std::clamp(std::floor(angleHigh), rangeLow, rangeHigh));
  low_ = static_cast<std::int64_t>(low);
  high_ = static_cast<std::int64_t>(high);
  slewUs_ = slewLimit ? PulseSlewUs(servo, tickSeconds) : kNone;
}

std::int64_t ServoLimiter::pulse(double angle) {
  const double wanted = PulseUs(servo_, angle);
  double sent = std::clamp(wanted, static_cast<double>(low_), static_cast<double>(high_));
  if (previous_) sent = std::clamp(sent, *previous_ - slewUs_, *previous_ + slewUs_);
  if (!std::isfinite(sent)) sent = previous_.value_or(static_cast<double>(low_));
  previous_ = sent;
  const std::int64_t rounded = std::clamp<std::int64_t>(std::llround(sent), low_, high_);
  limited_ = !(std::fabs(wanted) < 9e18) || rounded != std::llround(wanted);
  return rounded;
}

}  // namespace trotix
