#include "gaitlab/drive/Realtime.h"

#include <windows.h>

#include "gaitlab/io/windows/SystemMessage.h"

namespace trotix {

// The realtime class would starve the system's own input and disk threads;
// the high class with a time-critical thread keeps the ticks on time.
std::string EnterRealtime() {
  std::string refused;
  if (!SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS)) {
    refused = "the high priority class refused (" + SystemMessage(GetLastError()) + ")";
  }
  if (!SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL)) {
    refused += (refused.empty() ? "" : ", ") + std::string("time-critical priority refused (") +
               SystemMessage(GetLastError()) + ")";
  }
  return refused;
}

}  // namespace trotix
