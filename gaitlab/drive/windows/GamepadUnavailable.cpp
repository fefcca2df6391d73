// --input gamepad on Windows: this build has no SDL, so the pad is refused
// in one line before anything opens.
#include "gaitlab/drive/GamepadInput.h"
#include "gaitlab/io/InputError.h"

namespace trotix {

GamepadInput::GamepadInput(std::chrono::milliseconds) {
  throw InputError(
      "--input gamepad: this trotix-drive for Windows was built without SDL (use "
      "--input keyboard)");
}

GamepadInput::~GamepadInput() = default;

void GamepadInput::poll(DriveControls&) {}

}  // namespace trotix
