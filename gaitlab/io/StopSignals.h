// The signals that end the program by default and that it catches to clean
// up first. Each platform folder has its own list.
#ifndef TROTIX_GAITLAB_STOPSIGNALS_H_
#define TROTIX_GAITLAB_STOPSIGNALS_H_

#include <vector>

namespace trotix {

std::vector<int> StopSignals();

// The signals that end a program whose write passes a limit (the file size
// limit, SIGXFSZ); ignored, the write fails with an error instead.
std::vector<int> WriteLimitSignals();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_STOPSIGNALS_H_
