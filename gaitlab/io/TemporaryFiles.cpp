#include "gaitlab/io/TemporaryFiles.h"

#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include "gaitlab/io/StopSignals.h"

namespace trotix {
namespace {

// Fixed storage, because the signal handler may only read plain memory. A
// slot is free, being filled or forgotten by its owner, or holds a path.
enum SlotState : int { kFree, kBusy, kHolding };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the states");
Slot gSlots[kMaxTemporaryFiles];

extern "C" void RemoveAndReraise(int signalNumber) {
  for (Slot& slot : gSlots) {
    if (slot.state.load() == kHolding) ::unlink(slot.path);
  }
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

void RemoveTemporaryFilesOnSignal() {
  for (const int signalNumber : StopSignals()) {
    // nohup and the like start a program with a signal ignored on purpose.
    if (std::signal(signalNumber, RemoveAndReraise) == SIG_IGN) {
      std::signal(signalNumber, SIG_IGN);
    }
  }
  for (const int signalNumber : WriteLimitSignals()) std::signal(signalNumber, SIG_IGN);
}

bool RegisterTemporaryFile(const std::string& path) {
  if (path.size() >= PATH_MAX) return false;
  for (Slot& slot : gSlots) {
    int expected = kFree;
    if (!slot.state.compare_exchange_strong(expected, kBusy)) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.state.store(kHolding);
    return true;
  }
  return false;
}

void ForgetTemporaryFile(const std::string& path) {
  for (Slot& slot : gSlots) {
    int expected = kHolding;
    if (slot.state.load() != kHolding || path != slot.path) continue;
    if (slot.state.compare_exchange_strong(expected, kBusy)) slot.state.store(kFree);
  }
}

}  // namespace trotix
