// The headless run loop: the dialog's timer step without the dialog.
#ifndef TROTIX_TOOLS_GAITRUN_H_
#define TROTIX_TOOLS_GAITRUN_H_

#include <cstdint>
#include <vector>

#include "engine/WalkEngine.h"
#include "tools/Schedule.h"

namespace trotix {

// Receives the engine after every tick.
class TickSink {
 public:
  virtual ~TickSink() = default;
  virtual void addTick(std::int64_t tick, const WalkEngine& engine) = 0;
};

struct SliderPositions {
  int turn = 0;
  int step = 0;
};

// Runs `ticks` ticks of a fresh engine, numbered from 0. Before each tick the
// slider positions are mapped onto the engine exactly as the dialog does;
// they start at `start` and take each schedule row's values from its tick on.
void RunGait(std::int64_t ticks, SliderPositions start, const Schedule& schedule,
             const std::vector<TickSink*>& sinks);

}  // namespace trotix

#endif  // TROTIX_TOOLS_GAITRUN_H_
