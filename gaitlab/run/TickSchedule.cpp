#include "gaitlab/run/TickSchedule.h"

#include <algorithm>

namespace trotix {

TickSchedule TickSchedule::OfMilliseconds(double periodMs) {
  return TickSchedule(std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double, std::milli>(periodMs)));
}

std::chrono::milliseconds TickSchedule::start(Clock::time_point now) {
  due_ = now + period_;
  return delayUntilDue(now);
}

std::chrono::milliseconds TickSchedule::next(Clock::time_point now) {
  due_ += period_;
  if (due_ <= now) due_ = now + period_;  // fell a whole period behind
  return delayUntilDue(now);
}

std::chrono::milliseconds TickSchedule::delayUntilDue(Clock::time_point now) const {
  const auto delay = std::chrono::ceil<std::chrono::milliseconds>(due_ - now);
  return std::max(delay, std::chrono::milliseconds(1));
}

}  // namespace trotix
