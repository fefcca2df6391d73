#include "gaitlab/io/TemporaryFiles.h"

#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include "gaitlab/io/StopSignals.h"

namespace trotix {
namespace {

constexpr int kSlots = 4;

// Fixed storage, because the signal handler may only read plain memory.
struct Slot {
  volatile std::sig_atomic_t used = 0;
  char path[PATH_MAX] = {};
};
Slot gSlots[kSlots];

extern "C" void RemoveAndReraise(int signalNumber) {
  for (Slot& slot : gSlots) {
    if (slot.used) ::unlink(slot.path);
  }
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

void RemoveTemporaryFilesOnSignal() {
  for (const int signalNumber : StopSignals()) {
    std::signal(signalNumber, RemoveAndReraise);
  }
}

void RegisterTemporaryFile(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  for (Slot& slot : gSlots) {
    if (slot.used) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    // The signal handler must never see the flag before the whole path.
    std::atomic_signal_fence(std::memory_order_release);
    slot.used = 1;
    return;
  }
}

void ForgetTemporaryFile(const std::string& path) {
  for (Slot& slot : gSlots) {
    if (slot.used && path == slot.path) slot.used = 0;
  }
}

}  // namespace trotix
