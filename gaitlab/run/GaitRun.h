// The headless run loop: the dialog's timer step without the dialog.
#ifndef TROTIX_GAITLAB_GAITRUN_H_
#define TROTIX_GAITLAB_GAITRUN_H_

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "gaitlab/run/Schedule.h"
#include "gaitlab/run/TickRecord.h"
#include "gaitlab/run/WalkStep.h"

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
  WalkStep walk;               // never stepped: the gait, e.g. WalkStepOf(gait)
  std::int64_t rampTicks = 0;  // see SliderTrack
  TickStage* stage = nullptr;  // none by default
  // Set from another thread to end the run before its next tick: RunGait
  // then throws RunStopped. None: the run always ends at its last tick.
  const std::atomic<bool>* stop = nullptr;
};

// Runs `ticks` steps of a copy of `settings.walk`, numbered from 0, with the
// slider positions starting at `start` and following the schedule
// (SliderTrack).
// The engine runs on a second thread while the sinks work on this one; an
// exception from a sink stops the run and is passed on.
void RunGait(std::int64_t ticks, SliderPositions start, const Schedule& schedule,
             const std::vector<TickSink*>& sinks, const RunSettings& settings = {});

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITRUN_H_
