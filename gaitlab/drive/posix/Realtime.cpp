#include "gaitlab/drive/Realtime.h"

#include <sched.h>
#include <sys/mman.h>

#include <cerrno>
#include <cstring>

namespace trotix {

std::string EnterRealtime() {
  std::string refused;
  sched_param priority{};
  priority.sched_priority = kRealtimePriority;
  if (sched_setscheduler(0, SCHED_FIFO, &priority) != 0) {
    refused = std::string("SCHED_FIFO refused (") + std::strerror(errno) + ")";
  }
  if (mlockall(MCL_CURRENT | MCL_FUTURE) != 0) {
    refused += (refused.empty() ? "" : ", ") + std::string("mlockall refused (") +
               std::strerror(errno) + ")";
  }
  return refused;
}

}  // namespace trotix
