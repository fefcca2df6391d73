#include "tools/GaitRun.h"

#include "engine/SliderMapping.h"

namespace trotix {

void RunGait(std::int64_t ticks, SliderPositions start, const Schedule& schedule,
             const std::vector<TickSink*>& sinks) {
  WalkEngine engine;
  SliderPositions sliders = start;
  std::size_t nextRow = 0;
  for (std::int64_t tick = 0; tick < ticks; ++tick) {
    while (nextRow < schedule.size() && schedule[nextRow].tick <= tick) {
      sliders = {schedule[nextRow].turn, schedule[nextRow].step};
      ++nextRow;
    }
    ApplySliderPositions(engine, sliders.turn, sliders.step);
    engine.tick();
    for (TickSink* sink : sinks) sink->addTick(tick, engine);
  }
}

}  // namespace trotix
