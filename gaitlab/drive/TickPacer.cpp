#include "gaitlab/drive/TickPacer.h"

#include <chrono>

namespace trotix {
namespace {

using Clock = TickSchedule::Clock;

}  // namespace

TickPacer::TickPacer(double tickPeriodMs)
    : schedule_(TickSchedule::OfMilliseconds(tickPeriodMs)),
      period_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double, std::milli>(tickPeriodMs))),
      periodUs_(static_cast<std::int64_t>(tickPeriodMs * 1000.0)) {}

void TickPacer::start() { schedule_.start(Clock::now()); }

Wake TickPacer::wait(int fd) {
  for (;;) {
    const Clock::time_point now = Clock::now();
    const auto left = schedule_.due() - now;
    if (left <= Clock::duration::zero()) {
      lateUs_ = std::chrono::duration_cast<std::chrono::microseconds>(carried_ - left).count();
      carried_ = {};
      return Wake::kDue;
    }
    const Wake wake = waiter_.waitUntil(schedule_.due(), fd);
    if (wake != Wake::kDue) return wake;
  }
}

void TickPacer::next() {
  const Clock::time_point now = Clock::now();
  // A tick's work that overran a whole period restarts the grid from now;
  // the next tick still counts as late by what was lost.
  const Clock::time_point nextDue = schedule_.due() + period_;
  if (now >= nextDue) carried_ = now - nextDue;
  schedule_.next(now);
}

}  // namespace trotix
