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
// the clock: a high-resolution timer is late by well under a millisecond,
// an ordinary one (at a 1 ms system period) by up to two.
constexpr auto kFineSpin = std::chrono::microseconds(500);
constexpr auto kCoarseSpin = std::chrono::microseconds(2500);

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
  HANDLE handles[3] = {StopEvent(), nullptr, Timer(timer_)};
  DWORD count = 1;
  if (fd >= 0) handles[count++] = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  const auto sleep = due - (fineTimer_ ? kFineSpin : kCoarseSpin) - Clock::now();
  if (timer_ != 0 && sleep > Clock::duration::zero()) {
    LARGE_INTEGER when;  // negative: relative, in units of 100 ns
    when.QuadPart =
        -std::chrono::duration_cast<std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>>(
             sleep)
             .count();
    if (SetWaitableTimer(Timer(timer_), &when, 0, nullptr, nullptr, FALSE)) {
      handles[count] = Timer(timer_);
      return WokenBy(WaitForMultipleObjects(count + 1, handles, FALSE, INFINITE), count);
    }
  }
  // The last stretch, or no timer: spin, looking at the stop event and the
  // input as it goes.
  while (Clock::now() < due) {
    const Wake wake = WokenBy(WaitForMultipleObjects(count, handles, FALSE, 0), count);
    if (wake != Wake::kDue) return wake;
    YieldProcessor();
  }
  return Wake::kDue;
}

}  // namespace trotix
