#include "gaitlab/run/GaitRun.h"

#include <exception>
#include <thread>

#include "gaitlab/run/TickPipeline.h"

namespace trotix {
namespace {

// Runs the engine and publishes its records until done or cancelled.
void ProduceTicks(std::int64_t ticks, SliderTrack sliders, WalkStep walk,
                  const RunSettings& settings, TickPipeline& pipeline) {
  TickStage* stage = settings.stage;
  std::int64_t tick = 0;
  while (tick < ticks) {
    std::vector<TickRecord>* block = pipeline.beginBlock();
    if (block == nullptr) return;
    for (; tick < ticks && block->size() < TickPipeline::kBlockTicks; ++tick) {
      ThrowIfStopped(settings.stop);
      block->push_back(walk.step(sliders.next()));
      if (stage != nullptr) stage->process(block->back());
    }
    pipeline.endBlock();
  }
}

}  // namespace

void RunGait(std::int64_t ticks, SliderPositions start, const Schedule& schedule,
             const std::vector<TickSink*>& sinks, const RunSettings& settings) {
  TickPipeline pipeline;
  std::exception_ptr producerError;
  std::thread producer([&] {
    try {
      ProduceTicks(ticks, SliderTrack(start, schedule, settings.rampTicks), settings.walk, settings,
                   pipeline);
    } catch (...) {
      producerError = std::current_exception();
    }
    pipeline.finish();
  });
  try {
    while (const std::vector<TickRecord>* block = pipeline.nextBlock()) {
      for (const TickRecord& record : *block) {
        for (TickSink* sink : sinks) sink->addTick(record);
      }
      pipeline.releaseBlock();
    }
  } catch (...) {
    pipeline.cancel();
    producer.join();
    throw;
  }
  producer.join();
  if (producerError) std::rethrow_exception(producerError);
}

}  // namespace trotix
