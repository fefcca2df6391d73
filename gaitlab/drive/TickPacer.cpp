#include "gaitlab/drive/TickPacer.h"

#include <poll.h>

#include <cerrno>
#include <chrono>
#include <ctime>

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
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(ns / 1'000'000'000),
                           static_cast<long>(ns % 1'000'000'000)};
    pollfd input{fd, POLLIN, 0};
    const int ready = ::ppoll(&input, fd < 0 ? 0 : 1, &timeout, nullptr);
    if (ready < 0 && errno == EINTR) return Wake::kInterrupted;
    if (ready > 0) return Wake::kInput;
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
