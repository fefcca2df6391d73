#include "gaitlab/io/StopSignals.h"

#include <csignal>

namespace trotix {

std::vector<int> StopSignals() { return {SIGINT, SIGTERM, SIGHUP, SIGPIPE}; }

std::vector<int> WriteLimitSignals() { return {SIGXFSZ}; }

}  // namespace trotix
