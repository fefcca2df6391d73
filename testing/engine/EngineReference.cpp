#include "testing/engine/EngineReference.h"

#include "trotix/SliderMapping.h"

namespace trotix {

std::vector<ReferenceTick> ReferenceRun(std::int64_t ticks, int turn, int step,
                                        const std::vector<SliderChange>& changes,
                                        const WalkEngine& start) {
  WalkEngine engine = start;
  std::vector<ReferenceTick> run;
  for (std::int64_t tick = 0; tick < ticks; ++tick) {
    for (const SliderChange& change : changes) {
      if (change.tick == tick) turn = change.turn, step = change.step;
    }
    ApplySliderPositions(engine, turn, step);
    engine.tick();
    ReferenceTick row{engine.jointAngles, engine.jointCommands, {}};
    for (int leg = 0; leg < kLegCount; ++leg) {
      for (int axis = 0; axis < 3; ++axis) {
        row.targets[3 * leg + axis] = engine.frameTargets[0][leg][axis];
      }
    }
    run.push_back(row);
  }
  return run;
}

std::vector<std::string> SplitText(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string current;
  for (const char c : text) {
    if (c == separator) {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

}  // namespace trotix
