#include "gaitlab/drive/TickWaiter.h"

#include <poll.h>

#include <cerrno>
#include <chrono>
#include <ctime>

namespace trotix {

TickWaiter::TickWaiter() = default;

TickWaiter::~TickWaiter() = default;

Wake TickWaiter::waitUntil(TickSchedule::Clock::time_point due, int fd) {
  const auto left = due - TickSchedule::Clock::now();
  if (left <= TickSchedule::Clock::duration::zero()) return Wake::kDue;
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
  const timespec timeout{static_cast<time_t>(ns / 1'000'000'000),
                         static_cast<long>(ns % 1'000'000'000)};
  pollfd input{fd, POLLIN, 0};
  const int ready = ::ppoll(&input, fd < 0 ? 0 : 1, &timeout, nullptr);
  if (ready < 0 && errno == EINTR) return Wake::kInterrupted;
  return ready > 0 ? Wake::kInput : Wake::kDue;
}

}  // namespace trotix
