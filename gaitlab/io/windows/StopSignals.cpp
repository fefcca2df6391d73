#include "gaitlab/io/StopSignals.h"

#include <csignal>

namespace trotix {

// Windows has no hang-up and no broken-pipe signal.
std::vector<int> StopSignals() { return {SIGINT, SIGTERM}; }

// Files have no size limit that a signal reports.
std::vector<int> WriteLimitSignals() { return {}; }

}  // namespace trotix
