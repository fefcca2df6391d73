// One step of a walk: the slider positions mapped onto the engine as the
// dialog does, then one tick of the engine with its gait's variants. Every
// program that walks the engine (the dialog, trotix-gait, the live window,
// the physics, the Python module) ticks it here.
#ifndef TROTIX_GAITLAB_RUN_WALKSTEP_H_
#define TROTIX_GAITLAB_RUN_WALKSTEP_H_

#include <cstdint>

#include "gaitlab/run/GaitVariants.h"
#include "gaitlab/run/TickRecord.h"
#include "gaitlab/run/TickSchedule.h"  // kTickPeriodMs
#include "trotix/WalkEngine.h"

namespace trotix {

// The positions of the dialog's two sliders.
struct SliderPositions {
  int turn = 0;  // horizontal slider
  int step = 0;  // vertical slider (negative walks forwards)
};

class WalkStep {
 public:
  // The engine's built-in gait, no variant, the dialog's tick period.
  WalkStep() = default;
  // `engine`: a fresh engine with a gait's fields written in.
  WalkStep(const WalkEngine& engine, const GaitVariants& variants, LateralAxis lateralAxis,
           double tickPeriodMs);

  // Maps the positions onto every leg (trotix/SliderMapping.h).
  void setSliders(SliderPositions sliders);
  // One tick of the engine, with the gait's variants.
  void tick();
  // setSliders, then tick; the tick's record, numbered from 0.
  TickRecord step(SliderPositions sliders);
  // Back to the engine as it was built, before its first tick.
  void restart();

  WalkEngine& engine() { return engine_; }
  const WalkEngine& engine() const { return engine_; }
  // Ticks since the walk was built or restarted.
  std::int64_t ticks() const { return ticks_; }
  double tickPeriodMs() const { return tickPeriodMs_; }
  double seconds() const { return static_cast<double>(ticks_) * tickPeriodMs_ / 1000.0; }

 private:
  WalkEngine start_, engine_;
  GaitVariants variants_;
  LateralAxis lateralAxis_ = LateralAxis::kOutward;
  double tickPeriodMs_ = kTickPeriodMs;
  std::int64_t ticks_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUN_WALKSTEP_H_
