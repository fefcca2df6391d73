// Runs the dialog program as its entry point would, with a call after every
// tick. Each platform folder has its own file.
#ifndef TROTIX_TESTING_PROBES_PROBEDAPP_H_
#define TROTIX_TESTING_PROBES_PROBEDAPP_H_

#include <functional>

namespace trotix {

// Returns the program's exit status.
int RunProbedApp(const char* programName, std::function<void()> afterTick);

}  // namespace trotix

#endif  // TROTIX_TESTING_PROBES_PROBEDAPP_H_
