// --input gamepad where the drive's inputs are not built.
#include "gaitlab/io/InputError.h"
#include "tools/trotix-gait/WatchGamepad.h"

namespace trotix {

SliderSteer OpenWatchGamepad() {
  throw InputError("--input gamepad: this trotix-gait has no gamepad input");
}

}  // namespace trotix
