// Long work from Python that Ctrl-C reaches within a fraction of a second,
// whatever the tick period or the physics' time step.
#ifndef TROTIX_PYTHON_INTERRUPTIBLE_H_
#define TROTIX_PYTHON_INTERRUPTIBLE_H_

#include <pybind11/pybind11.h>

#include <atomic>
#include <exception>
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

// Reads a file with read() and the GIL released, so that a file that never
// ends (a FIFO without a writer) stops no other Python thread. Ctrl-C
// interrupts the read; its KeyboardInterrupt then replaces the read's error.
template <typename Read>
auto ReadWithoutGil(Read read) {
  try {
    pybind11::gil_scoped_release release;
    return read();
  } catch (const std::exception&) {
    if (PyErr_CheckSignals() != 0) throw pybind11::error_already_set();
    throw;
  }
}

}  // namespace trotix

#endif  // TROTIX_PYTHON_INTERRUPTIBLE_H_
