// Independent pieces of work shared out over threads.
#ifndef TROTIX_GAITLAB_PARALLELWORK_H_
#define TROTIX_GAITLAB_PARALLELWORK_H_

#include <cstddef>
#include <functional>

namespace trotix {

// Calls work(i) for every i below `count`, on `threads` threads (0: one per
// core; the calling thread is one of them), each i once, in no set order.
// The first exception thrown stops the pieces not yet started and is
// rethrown once the running ones end.
void RunInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& work);

// The number of threads `threads` means: itself, or one per core for 0.
unsigned ThreadsToUse(unsigned threads);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PARALLELWORK_H_
