// A gait file that may change while a walk runs. It is polled once a tick;
// a new gait that loads is held until the walk's next cycle starts (the
// tick after leg 0's phase wraps) and then walks from its own first tick,
// which starts a cycle too, unless a joint
// would jump further than the new gait's jump_threshold from the tick
// before: then it is refused and the old gait walks on. Only the walk
// changes: whoever owns the servos keeps their channels, calibration and
// limits, and a new tick period is refused. Every outcome is one line.
#ifndef TROTIX_GAITLAB_RUN_GAITRELOAD_H_
#define TROTIX_GAITLAB_RUN_GAITRELOAD_H_

#include <functional>
#include <optional>
#include <string>

#include "gaitlab/io/FileWatch.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/run/WalkStep.h"

namespace trotix {

class GaitReload {
 public:
  // Reads the file again with every section its program knows; throws
  // InputError to refuse it.
  using Load = std::function<GaitSettings()>;
  // Gets each line to show, without a newline.
  using Say = std::function<void(const std::string&)>;

  GaitReload(const std::string& path, Load load, Say say);

  // Once a tick, right after `walk` made `record` with `sliders`: at a
  // cycle's start, with a new gait waiting, `walk` becomes the new walk and
  // `record` its first tick (numbered on from the old). Allocates only when
  // the file has changed.
  void tick(WalkStep& walk, SliderPositions sliders, TickRecord& record);
  // The walk starts again from its first tick: no tick before to jump from.
  void restart() { hasLast_ = cycleStarts_ = false; }

 private:
  void load();
  void handOver(WalkStep& walk, SliderPositions sliders, TickRecord& record);

  FileWatch watch_;
  Load load_;
  Say say_;
  std::optional<GaitSettings> waiting_;
  bool hasLast_ = false;
  bool cycleStarts_ = false;  // the last tick wrapped the phase
  double lastPhase_ = 0.0;
  JointAngles lastAngles_{};
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUN_GAITRELOAD_H_
