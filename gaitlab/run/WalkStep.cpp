#include "gaitlab/run/WalkStep.h"

#include "trotix/SliderMapping.h"

namespace trotix {

WalkStep::WalkStep(const WalkEngine& engine, const GaitVariants& variants, LateralAxis lateralAxis,
                   double tickPeriodMs)
    : start_(engine),
      engine_(engine),
      variants_(variants),
      lateralAxis_(lateralAxis),
      tickPeriodMs_(tickPeriodMs) {}

void WalkStep::setSliders(SliderPositions sliders) {
  ApplySliderPositions(engine_, sliders.turn, sliders.step);
}

void WalkStep::tick() {
  TickWithVariants(engine_, variants_, lateralAxis_);
  ++ticks_;
}

TickRecord WalkStep::step(SliderPositions sliders) {
  setSliders(sliders);
  tick();
  return {ticks_ - 1, engine_.jointAngles, engine_.jointCommands, engine_.frameTargets[0]};
}

void WalkStep::restart() {
  engine_ = start_;
  ticks_ = 0;
}

}  // namespace trotix
