#include "gaitlab/drive/TickWaiter.h"

#include <io.h>
#include <windows.h>

#include <chrono>

#include "gaitlab/drive/windows/StopEvent.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace trotix {
namespace {

using Clock = TickSchedule::Clock;

// How long before the tick the timer wakes the drive, which then spins on
// the clock: a high-resolution timer is late by well under a millisecond
// (about 0.3 ms under Wine), an ordinary one (at a 1 ms system period) by
// up to two.
constexpr auto kFineSpin = std::chrono::microseconds(1000);
constexpr auto kCoarseSpin = std::chrono::microseconds(2500);

using HundredNs = std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>;

HANDLE Timer(std::intptr_t timer) { return reinterpret_cast<HANDLE>(timer); }

// What ended a wait on `handles` (the stop event first, then the input).
Wake WokenBy(DWORD result, DWORD count) {
  if (result == WAIT_OBJECT_0) return Wake::kInterrupted;
  if (count > 1 && result == WAIT_OBJECT_0 + 1) return Wake::kInput;
  return Wake::kDue;
}

}  // namespace

TickWaiter::TickWaiter() {
  HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                        TIMER_ALL_ACCESS);
  fineTimer_ = timer != nullptr;
  if (timer == nullptr) {
    timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    timeBeginPeriod(1);
  }
  timer_ = reinterpret_cast<std::intptr_t>(timer);
}

TickWaiter::~TickWaiter() {
  if (!fineTimer_) timeEndPeriod(1);
  if (timer_ != 0) CloseHandle(Timer(timer_));
}

Wake TickWaiter::waitUntil(Clock::time_point due, int fd) {
  HANDLE handles[3] = {StopEvent()};
  DWORD count = 1;
  if (fd >= 0) handles[count++] = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  const auto sleep = due - (fineTimer_ ? kFineSpin : kCoarseSpin) - Clock::now();
  if (sleep > Clock::duration::zero()) {
    LARGE_INTEGER relative{};  // negative: relative, in units of 100 ns
    relative.QuadPart = -std::chrono::duration_cast<HundredNs>(sleep).count();
    DWORD timeoutMs = INFINITE;
    if (timer_ != 0 && SetWaitableTimer(Timer(timer_), &relative, 0, nullptr, nullptr, FALSE)) {
      handles[count] = Timer(timer_);
    } else {
      timeoutMs =
          static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(sleep).count());
    }
    const DWORD waited = handles[count] != nullptr ? count + 1 : count;
    return WokenBy(WaitForMultipleObjects(waited, handles, FALSE, timeoutMs), count);
  }
  // The last stretch: spin on the clock alone. A key or a stop
  // request waits the stretch out; a look at the events here would cost a
  // system call (under Wine a round trip to its server) each time round.
  while (Clock::now() < due) YieldProcessor();
  return Wake::kDue;
}

}  // namespace trotix
