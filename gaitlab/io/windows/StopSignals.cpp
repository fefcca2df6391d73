#include "gaitlab/io/StopSignals.h"

#include <csignal>

namespace trotix {

// Windows has no hang-up and no broken-pipe signal.
std::vector<int> StopSignals() { return {SIGINT, SIGTERM}; }

}  // namespace trotix
