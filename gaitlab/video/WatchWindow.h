// A window that runs the physics in real time: the arrow keys move the two
// sliders, the mouse turns and zooms the camera, R starts the run again.
#ifndef TROTIX_GAITLAB_WATCHWINDOW_H_
#define TROTIX_GAITLAB_WATCHWINDOW_H_

#include <functional>
#include <string>

#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/run/GaitReload.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/run/Schedule.h"

namespace trotix {

// Moves the sliders once a tick, after the arrow keys (e.g. a gamepad);
// returns false to close the window.
using SliderSteer = std::function<bool(SliderPositions&)>;

struct WatchLive {
  GaitReload* reload = nullptr;  // with one, a changed gait file takes over the walk
  SliderSteer steer;             // none: the arrow keys alone
};

// Returns when the window is closed. Throws InputError without MuJoCo and
// RendererUnavailable when no window can be opened, each naming the window
// as `what`.
void WatchPhysics(const PhysicsParameters& parameters, const GaitSettings& gait,
                  SliderPositions start, const std::string& what = "watch",
                  const WatchLive& live = {});

}  // namespace trotix

#endif  // TROTIX_GAITLAB_WATCHWINDOW_H_
