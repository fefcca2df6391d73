#include "gaitlab/run/TickPipeline.h"

namespace trotix {

TickPipeline::TickPipeline() : blocks_(kBlockCount) {
  for (auto& block : blocks_) block.reserve(kBlockTicks);
}

std::vector<TickRecord>* TickPipeline::beginBlock() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return cancelled_ || produced_ - consumed_ < kBlockCount; });
  if (cancelled_) return nullptr;
  // The consumer does not touch this slot until endBlock() publishes it.
  auto& block = blocks_[produced_ % kBlockCount];
  block.clear();
  return &block;
}

void TickPipeline::endBlock() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++produced_;
  }
  changed_.notify_all();
}

void TickPipeline::finish() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
  }
  changed_.notify_all();
}

const std::vector<TickRecord>* TickPipeline::nextBlock() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return consumed_ < produced_ || finished_; });
  if (consumed_ == produced_) return nullptr;
  return &blocks_[consumed_ % kBlockCount];
}

void TickPipeline::releaseBlock() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++consumed_;
  }
  changed_.notify_all();
}

void TickPipeline::cancel() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
  }
  changed_.notify_all();
}

}  // namespace trotix
