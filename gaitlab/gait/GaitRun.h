// The headless run loop: the dialog's timer step without the dialog.
#ifndef TROTIX_GAITLAB_GAITRUN_H_
#define TROTIX_GAITLAB_GAITRUN_H_

#include <cstdint>
#include <vector>

#include "gaitlab/gait/Schedule.h"
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

// What a run starts from besides the sliders.
struct RunSettings {
  WalkStep walk;               // never stepped: the gait, e.g. WalkStepOf(gait)
  std::int64_t rampTicks = 0;  // see SliderTrack
  TickStage* stage = nullptr;  // none by default
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
