// When the next simulation tick is due. Ticks are kept on a fixed grid of
// one period, as a system timer that re-arms itself at each expiry would do,
// so the time spent handling a tick does not stretch the period. A tick
// more than a period late is not made up for: the grid restarts from now.
#ifndef TROTIX_APP_TICKSCHEDULE_H_
#define TROTIX_APP_TICKSCHEDULE_H_

#include <chrono>

namespace trotix {

class TickSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  explicit TickSchedule(std::chrono::milliseconds period) : period_(period) {}

  // Starts the grid at `now`; returns the delay to the first tick.
  std::chrono::milliseconds start(Clock::time_point now);
  // Called as a tick is handled; returns the delay to the next one (at
  // least 1 ms, rounded up to whole milliseconds).
  std::chrono::milliseconds next(Clock::time_point now);

 private:
  std::chrono::milliseconds delayUntilDue(Clock::time_point now) const;

  std::chrono::milliseconds period_;
  Clock::time_point due_;
};

}  // namespace trotix

#endif  // TROTIX_APP_TICKSCHEDULE_H_
