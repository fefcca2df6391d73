// Long work from Python that Ctrl-C reaches within a fraction of a second,
// whatever the tick period or the physics' time step.
#ifndef TROTIX_PYTHON_INTERRUPTIBLE_H_
#define TROTIX_PYTHON_INTERRUPTIBLE_H_

#include <pybind11/pybind11.h>

#include <atomic>
#include <functional>

namespace trotix {

// Asks work started by CallInterruptibly to stop: physics_map gives one to
// its cells, so that Ctrl-C or its timeout ends those still running.
struct StopFlag {
  std::atomic<bool> set{false};
};

// Runs work(stop) on a thread of its own with the GIL released, while this
// thread looks every 100 ms for Python's signals (which only the main
// thread receives) and for `cancel`. Either sets `stop`; the work is to
// check it often and end (RunGait and the physics throw RunStopped). Once
// the work has ended, a signal's exception (KeyboardInterrupt) is raised,
// or else whatever the work threw. Call with the GIL held.
void CallInterruptibly(const std::function<void(const std::atomic<bool>& stop)>& work,
                       const StopFlag* cancel = nullptr);

}  // namespace trotix

#endif  // TROTIX_PYTHON_INTERRUPTIBLE_H_
