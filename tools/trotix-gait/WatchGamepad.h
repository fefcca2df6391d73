// --input gamepad: a game controller that steers --watch's sliders as it
// steers trotix-drive's (gaitlab/drive/GamepadInput.h). Linux only.
#ifndef TROTIX_TOOLS_WATCHGAMEPAD_H_
#define TROTIX_TOOLS_WATCHGAMEPAD_H_

#include "gaitlab/video/WatchWindow.h"

namespace trotix {

// Opens the first game controller; throws InputError when there is none.
SliderSteer OpenWatchGamepad();

}  // namespace trotix

#endif  // TROTIX_TOOLS_WATCHGAMEPAD_H_
