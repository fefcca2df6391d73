// When the next tick of a walk is due, on absolute time: ticks are kept on a
// fixed grid of one period, as a system timer that re-arms itself at each
// expiry would do, so the time spent handling a tick does not stretch the
// period and nothing drifts. A tick more than a period late is not made up
// for in a burst: the grid restarts from now. The dialog's timer and the
// live window of the physics both keep to it.
#ifndef TROTIX_GAITLAB_RUN_TICKSCHEDULE_H_
#define TROTIX_GAITLAB_RUN_TICKSCHEDULE_H_

#include <chrono>

namespace trotix {

// The dialog's tick period, and a gait file's unless it names another.
constexpr int kTickPeriodMs = 33;

class TickSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  explicit TickSchedule(Clock::duration period = std::chrono::milliseconds(kTickPeriodMs))
      : period_(period) {}
  // A period of `periodMs` milliseconds, to the clock's resolution.
  static TickSchedule OfMilliseconds(double periodMs);

  // Starts the grid at `now`; returns the delay to the first tick.
  std::chrono::milliseconds start(Clock::time_point now);
  // Called as a tick is handled; returns the delay to the next one (at
  // least 1 ms, rounded up to whole milliseconds).
  std::chrono::milliseconds next(Clock::time_point now);
  // When the next tick is due.
  Clock::time_point due() const { return due_; }

 private:
  std::chrono::milliseconds delayUntilDue(Clock::time_point now) const;

  Clock::duration period_;
  Clock::time_point due_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUN_TICKSCHEDULE_H_
