// What both platforms' control dialogs do on every expiry of the simulation
// timer: read the vertical slider, then the horizontal one, write both into
// the gait of all four legs, advance the engine by one tick and ask the view
// to repaint. The platform dialog supplies the slider positions and the
// repaint request.
#ifndef TROTIX_APP_WALKDIALOGCORE_H_
#define TROTIX_APP_WALKDIALOGCORE_H_

#include <functional>
#include <optional>

#include "gaitlab/run/WalkStep.h"
#include "trotix/WalkEngine.h"

namespace trotix {

class WalkDialogCore {
 public:
  WalkDialogCore() = default;
  virtual ~WalkDialogCore() = default;
  WalkDialogCore(const WalkDialogCore&) = delete;
  WalkDialogCore& operator=(const WalkDialogCore&) = delete;

  // Test hook: a call after every tick.
  std::function<void()> afterTickForTesting;

 protected:
  // One step of the walk (WalkStep), whatever time has passed. A slider
  // position of exactly 0 counts as 0.0001 (trotix/SliderMapping.h).
  // Nothing happens while a slider is not bound.
  void runSimulationStep();
  // The walk's engine, which the view draws.
  WalkEngine& walkEngine() { return walk_.engine(); }

 private:
  // The platform's half: a slider's position, none while it is not bound.
  virtual std::optional<int> verticalSliderPosition() const = 0;
  virtual std::optional<int> horizontalSliderPosition() const = 0;
  // Asks the view, if there is one, to repaint when the queue is idle.
  virtual void invalidateView() = 0;

  WalkStep walk_;  // the built-in gait
};

}  // namespace trotix

#endif  // TROTIX_APP_WALKDIALOGCORE_H_
