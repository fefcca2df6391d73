#include "gaitlab/drive/KeyboardInput.h"

#include <unistd.h>

#include <algorithm>

#include "gaitlab/io/InputError.h"
#include "trotix/SliderMapping.h"

namespace trotix {

KeyboardInput::KeyboardInput(int fd) : fd_(fd) {
  if (!isatty(fd_) || tcgetattr(fd_, &saved_) != 0) {
    throw InputError("--input keyboard: standard input is not a terminal (use --input none --arm)");
  }
  termios keys = saved_;
  keys.c_lflag &= ~(ICANON | ECHO);
  keys.c_cc[VMIN] = 0;
  keys.c_cc[VTIME] = 0;
  tcsetattr(fd_, TCSANOW, &keys);
}

KeyboardInput::~KeyboardInput() { tcsetattr(fd_, TCSANOW, &saved_); }

void KeyboardInput::poll(DriveControls& controls) {
  unsigned char bytes[64];
  ssize_t n;
  while ((n = ::read(fd_, bytes, sizeof bytes)) > 0) {
    for (ssize_t i = 0; i < n; ++i) key(bytes[i], controls);
  }
}

void KeyboardInput::key(unsigned char c, DriveControls& controls) {
  SliderPositions& s = controls.sliders;
  if (escape_ == 1) {
    escape_ = c == '[' || c == 'O' ? 2 : 0;
    return;
  }
  if (escape_ == 2) {
    escape_ = 0;
    // As the dialog's trackbars: up moves the vertical slider towards its
    // top, -130, which walks forwards.
    if (c == 'A') s.step = std::max(kStepMin, s.step - 1);
    if (c == 'B') s.step = std::min(kStepMax, s.step + 1);
    if (c == 'C') s.turn = std::min(kTurnMax, s.turn + 1);
    if (c == 'D') s.turn = std::max(kTurnMin, s.turn - 1);
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
