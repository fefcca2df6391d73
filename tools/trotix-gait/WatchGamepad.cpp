#include "tools/trotix-gait/WatchGamepad.h"

#include <memory>

#include "gaitlab/drive/GamepadInput.h"

namespace trotix {

SliderSteer OpenWatchGamepad() {
  auto pad = std::make_shared<GamepadInput>();
  return [pad](SliderPositions& sliders) { return SteerSliders(*pad, sliders); };
}

}  // namespace trotix
