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
      periodUs_(static_cast<std::int64_t>(tickPeriodMs * 1000.0)) {}

void TickPacer::start() { schedule_.start(Clock::now()); }

Wake TickPacer::wait(int fd) {
  for (;;) {
    const Clock::time_point now = Clock::now();
    const auto left = schedule_.due() - now;
    if (left <= Clock::duration::zero()) {
      lateUs_ = std::chrono::duration_cast<std::chrono::microseconds>(-left).count();
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

void TickPacer::next() { schedule_.next(Clock::now()); }

}  // namespace trotix
