#include "gaitlab/physics/ParallelWork.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace trotix {

unsigned ThreadsToUse(unsigned threads) {
  return threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
}

void RunInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& work) {
  std::atomic<std::size_t> next{0};
  std::mutex errorMutex;
  std::exception_ptr error;
  const auto worker = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        work(i);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(errorMutex);
        if (!error) error = std::current_exception();
        next = count;
      }
    }
  };
  std::vector<std::thread> helpers;
  const std::size_t wanted = std::min<std::size_t>(ThreadsToUse(threads), count);
  for (std::size_t t = 1; t < wanted; ++t) helpers.emplace_back(worker);
  worker();
  for (std::thread& helper : helpers) helper.join();
  if (error) std::rethrow_exception(error);
}

}  // namespace trotix
