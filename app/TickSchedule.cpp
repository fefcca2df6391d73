#include "app/TickSchedule.h"

#include <algorithm>

namespace trotix {

std::chrono::milliseconds TickSchedule::start(Clock::time_point now) {
  due = now + period;
  return period;
}

std::chrono::milliseconds TickSchedule::next(Clock::time_point now) {
  due += period;
  if (due <= now) due = now + period;  // fell a whole period behind
  return delayUntilDue(now);
}

std::chrono::milliseconds TickSchedule::delayUntilDue(Clock::time_point now) const {
  const auto delay = std::chrono::ceil<std::chrono::milliseconds>(due - now);
  return std::max(delay, std::chrono::milliseconds(1));
}

}  // namespace trotix
