// The headless run loop: the dialog's timer step without the dialog.
#ifndef TROTIX_GAITLAB_GAITRUN_H_
#define TROTIX_GAITLAB_GAITRUN_H_

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "gaitlab/gait/Schedule.h"
#include "gaitlab/gait/TickRecord.h"

namespace trotix {

// Receives every tick's record, in tick order, on the thread that called
// RunGait.
class TickSink {
 public:
  virtual ~TickSink() = default;
  virtual void addTick(const TickRecord& record) = 0;
};

// Works on every tick's record, in tick order, on the engine's thread,
// before the sinks receive it: e.g. a physics model following the joints.
class TickStage {
 public:
  virtual ~TickStage() = default;
  virtual void process(TickRecord& record) = 0;
};

// What a run ends with when asked to stop early (RunSettings::stop).
class RunStopped : public std::runtime_error {
 public:
  RunStopped() : std::runtime_error("the run was stopped") {}
};

// Throws RunStopped once `stop` (if any) is set.
inline void ThrowIfStopped(const std::atomic<bool>* stop) {
  if (stop != nullptr && stop->load(std::memory_order_relaxed)) throw RunStopped();
}

// What a run starts from besides the sliders.
struct RunSettings {
  WalkEngine engine;           // never ticked; its gait fields set as wanted
  std::int64_t rampTicks = 0;  // see SliderTrack
  TickStage* stage = nullptr;  // none by default
  // Ticks the engine in place of WalkEngine::tick, e.g. a gait variant;
  // empty: the engine's own tick.
  std::function<void(WalkEngine&)> tick;
  // Set from another thread to end the run before its next tick: RunGait
  // then throws RunStopped. None: the run always ends at its last tick.
  const std::atomic<bool>* stop = nullptr;
};

// Runs `ticks` ticks of a copy of `settings.engine`, numbered from 0. Before
// each tick the slider positions are mapped onto the engine exactly as the
// dialog does; they start at `start` and follow the schedule (SliderTrack).
// The engine runs on a second thread while the sinks work on this one; an
// exception from a sink stops the run and is passed on.
void RunGait(std::int64_t ticks, SliderPositions start, const Schedule& schedule,
             const std::vector<TickSink*>& sinks, const RunSettings& settings = {});

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITRUN_H_
