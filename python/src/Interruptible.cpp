#include "python/src/Interruptible.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace py = pybind11;

namespace trotix {
namespace {

constexpr std::chrono::milliseconds kSignalCheckPeriod{100};

// True when a Python signal handler raised (its exception is then set).
bool SignalRaised() {
  py::gil_scoped_acquire acquire;
  return PyErr_CheckSignals() != 0;
}

}  // namespace

void CallInterruptibly(const std::function<void(const std::atomic<bool>& stop)>& work,
                       const StopFlag* cancel) {
  std::atomic<bool> stop{false};
  std::exception_ptr error;
  bool signalled = false;
  {
    py::gil_scoped_release release;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread worker([&] {
      try {
        work(stop);
      } catch (...) {
        error = std::current_exception();
      }
      std::lock_guard<std::mutex> lock(mutex);
      done = true;
      ended.notify_all();
    });
    std::unique_lock<std::mutex> lock(mutex);
    while (!ended.wait_for(lock, kSignalCheckPeriod, [&] { return done; })) {
      if (stop) continue;  // asked already: wait for the work to end
      lock.unlock();
      signalled = SignalRaised();
      if (signalled || (cancel != nullptr && cancel->set)) stop = true;
      lock.lock();
    }
    lock.unlock();
    worker.join();
  }
  if (signalled) throw py::error_already_set();
  if (error) std::rethrow_exception(error);
}

}  // namespace trotix
