#include "gaitlab/drive/KeyboardInput.h"

#include <algorithm>

#include "trotix/SliderMapping.h"

namespace trotix {

void KeyboardInput::arrow(Arrow arrow, DriveControls& controls) {
  SliderPositions& s = controls.sliders;
  // As the dialog's trackbars: up moves the vertical slider towards its
  // top, -130, which walks forwards.
  if (arrow == Arrow::kUp) s.step = std::max(kStepMin, s.step - 1);
  if (arrow == Arrow::kDown) s.step = std::min(kStepMax, s.step + 1);
  if (arrow == Arrow::kRight) s.turn = std::min(kTurnMax, s.turn + 1);
  if (arrow == Arrow::kLeft) s.turn = std::max(kTurnMin, s.turn - 1);
}

void KeyboardInput::key(unsigned char c, DriveControls& controls) {
  SliderPositions& s = controls.sliders;
  if (escape_ == 1) {
    escape_ = c == '[' || c == 'O' ? 2 : 0;
    return;
  }
  if (escape_ == 2) {
    escape_ = 0;
    if (c >= 'A' && c <= 'D') arrow(static_cast<Arrow>(c - 'A'), controls);
    return;
  }
  switch (c) {
    case 0x1b:
      escape_ = 1;
      break;
    case ' ':
      controls.stop = true;
      break;
    case 'a':
    case 'A':
      controls.arm = true;
      break;
    case 'q':
    case 'Q':
      controls.quit = true;
      break;
    case '0':
      s = {0, 0};
      break;
    default:
      break;
  }
}

}  // namespace trotix
