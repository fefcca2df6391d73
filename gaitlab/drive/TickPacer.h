// The drive's clock: ticks on the absolute grid of TickSchedule, read from
// the steady clock, waiting in TickWaiter so that a key or a stop request
// wakes the drive at once instead of at the next tick.
#ifndef TROTIX_GAITLAB_DRIVE_TICKPACER_H_
#define TROTIX_GAITLAB_DRIVE_TICKPACER_H_

#include <cstdint>

#include "gaitlab/drive/TickWaiter.h"
#include "gaitlab/run/TickSchedule.h"

namespace trotix {

class TickPacer {
 public:
  explicit TickPacer(double tickPeriodMs);

  void start();
  // Waits until the next tick is due, `fd` (if not -1) has input, or a
  // signal arrives.
  Wake wait(int fd);
  // How late the tick that is due woke, in microseconds (never negative),
  // counted from its place on the grid even when a stall in the last
  // tick's work moved the grid on.
  std::int64_t lateUs() const { return lateUs_; }
  // After a tick: the next one is a period on, or a period from now when
  // this one woke more than a period late (no burst to catch up).
  void next();
  std::int64_t periodUs() const { return periodUs_; }

 private:
  TickSchedule schedule_;
  TickWaiter waiter_;
  TickSchedule::Clock::duration period_;
  std::int64_t periodUs_;
  std::int64_t lateUs_ = 0;
  TickSchedule::Clock::duration carried_{};  // lateness the grid's restart hid
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_TICKPACER_H_
