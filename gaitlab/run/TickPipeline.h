// Hands tick records from the thread that runs the engine to the thread
// that writes them, in blocks, so that computing and formatting overlap.
// A fixed ring of blocks: the producer fills a block while the consumer
// drains another; neither allocates after construction.
#ifndef TROTIX_GAITLAB_TICKPIPELINE_H_
#define TROTIX_GAITLAB_TICKPIPELINE_H_

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "gaitlab/run/TickRecord.h"

namespace trotix {

class TickPipeline {
 public:
  static constexpr std::size_t kBlockCount = 4;
  static constexpr std::size_t kBlockTicks = 1024;

  TickPipeline();

  // Producer: the block to fill next, or null once the consumer cancelled.
  std::vector<TickRecord>* beginBlock();
  // Producer: publishes the block returned by beginBlock().
  void endBlock();
  // Producer: no more blocks will come.
  void finish();

  // Consumer: the next filled block, or null when the producer finished
  // and every block was taken.
  const std::vector<TickRecord>* nextBlock();
  // Consumer: done with the block returned by nextBlock().
  void releaseBlock();
  // Consumer: stop the producer (e.g. after a write error).
  void cancel();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::vector<TickRecord>> blocks_;
  std::uint64_t produced_ = 0;  // blocks published so far
  std::uint64_t consumed_ = 0;  // blocks released so far
  bool finished_ = false;
  bool cancelled_ = false;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TICKPIPELINE_H_
