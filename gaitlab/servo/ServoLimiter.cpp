#include "gaitlab/servo/ServoLimiter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "gaitlab/io/NumberText.h"
#include "gaitlab/robot/Transmission.h"

namespace trotix {
namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

// The pulses of the joint's lower and upper angle, lowest first, infinite
// where the joint gives no limit. A negative direction turns the upper
// angle into the lower pulse.
std::pair<double, double> RangePulses(const JointServo& servo) {
  const double atLower = servo.lower ? PulseUs(servo, *servo.lower) : -kNone;
  const double atUpper = servo.upper ? PulseUs(servo, *servo.upper) : kNone;
  const bool rising = servo.direction * servo.usPerRad > 0;
  const double low = rising ? atLower : (servo.upper ? atUpper : -kNone);
  const double high = rising ? atUpper : (servo.lower ? atLower : kNone);
  return {low, high};
}

// "a to b UNIT", "a UNIT and above" or "b UNIT and below".
std::string Span(double low, double high, const char* unit) {
  if (std::isinf(low)) return DoubleText(high) + " " + unit + " and below";
  if (std::isinf(high)) return DoubleText(low) + " " + unit + " and above";
  return DoubleText(low) + " to " + DoubleText(high) + " " + unit;
}

}  // namespace

ServoLimiter::ServoLimiter(const JointServo& servo, double tickSeconds, bool slewLimit)
    : servo_(servo) {
  // The pulse range comes first: no angle limit may lead outside it.
  const double pulseLow = std::ceil(servo.minUs);
  const double pulseHigh = std::max(pulseLow, std::floor(servo.maxUs));
  std::tie(rangeLowUs_, rangeHighUs_) = RangePulses(servo);
  const double low = std::clamp(std::ceil(rangeLowUs_), pulseLow, pulseHigh);
  // An angle range without a whole microsecond inside keeps its lower end.
  const double high = std::max(low, std::clamp(std::floor(rangeHighUs_), pulseLow, pulseHigh));
  low_ = static_cast<std::int64_t>(low);
  high_ = static_cast<std::int64_t>(high);
  slewUs_ = slewLimit ? PulseSlewUs(servo, tickSeconds) : kNone;
}

std::int64_t ServoLimiter::pulse(double angle) {
  const double wanted = PulseUs(servo_, angle);
  const double inRange = std::clamp(wanted, static_cast<double>(low_), static_cast<double>(high_));
  double sent = inRange;
  if (previous_) sent = std::clamp(sent, *previous_ - slewUs_, *previous_ + slewUs_);
  const bool slewed = std::isfinite(inRange) && sent != inRange;
  if (!std::isfinite(sent)) sent = previous_.value_or(static_cast<double>(low_));
  previous_ = sent;
  const std::int64_t rounded = std::clamp<std::int64_t>(std::llround(sent), low_, high_);
  if (std::fabs(wanted) < 9e18 && rounded == std::llround(wanted)) {
    cause_ = LimitCause::kNone;
  } else if (slewed) {
    cause_ = LimitCause::kSpeed;
  } else {
    const bool inAngleRange = wanted >= rangeLowUs_ && wanted <= rangeHighUs_;
    cause_ = inAngleRange ? LimitCause::kPulseRange : LimitCause::kRange;
  }
  return rounded;
}

std::string UnreachableRange(const JointServo& servo) {
  const auto [low, high] = RangePulses(servo);
  if (!(high < servo.minUs || low > servo.maxUs)) return "";
  return "its range " + Span(servo.lower.value_or(-kNone), servo.upper.value_or(kNone), "rad") +
         " needs " + Span(std::round(low), std::round(high), "us") + ", outside its pulse range " +
         Span(servo.minUs, servo.maxUs, "us");
}

}  // namespace trotix
