#include "gaitlab/io/StopSignals.h"

#include <csignal>

namespace trotix {

std::vector<int> StopSignals() { return {SIGINT, SIGTERM, SIGHUP, SIGPIPE}; }

}  // namespace trotix
