// The platform's half of the drive's clock: a wait until a time on the
// steady clock that a key or a stop request ends at once. POSIX waits in
// ppoll; Windows on a waitable timer (high resolution where the system has
// one) with the last stretch spun on the performance counter.
#ifndef TROTIX_GAITLAB_DRIVE_TICKWAITER_H_
#define TROTIX_GAITLAB_DRIVE_TICKWAITER_H_

#include <cstdint>

#include "gaitlab/run/TickSchedule.h"

namespace trotix {

enum class Wake { kDue, kInput, kInterrupted };

class TickWaiter {
 public:
  TickWaiter();
  ~TickWaiter();
  TickWaiter(const TickWaiter&) = delete;
  TickWaiter& operator=(const TickWaiter&) = delete;

  // Waits until `due`, input on `fd` (if not -1) or a stop request. kDue
  // may come a little early: the caller looks at the clock again.
  Wake waitUntil(TickSchedule::Clock::time_point due, int fd);

 private:
  // Windows only: the waitable timer, and whether it has high resolution.
  [[maybe_unused]] std::intptr_t timer_ = 0;
  [[maybe_unused]] bool fineTimer_ = false;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_TICKWAITER_H_
