#include "gaitlab/drive/KeyboardInput.h"

#include <termios.h>
#include <unistd.h>

#include "gaitlab/io/InputError.h"

namespace trotix {

struct KeyboardInput::SavedMode {
  termios terminal{};
};

KeyboardInput::KeyboardInput(int fd) : fd_(fd), saved_(std::make_unique<SavedMode>()) {
  if (!isatty(fd_) || tcgetattr(fd_, &saved_->terminal) != 0) {
    throw InputError("--input keyboard: standard input is not a terminal (use --input none --arm)");
  }
  termios keys = saved_->terminal;
  keys.c_lflag &= ~(ICANON | ECHO);
  keys.c_cc[VMIN] = 0;
  keys.c_cc[VTIME] = 0;
  tcsetattr(fd_, TCSANOW, &keys);
}

KeyboardInput::~KeyboardInput() { tcsetattr(fd_, TCSANOW, &saved_->terminal); }

void KeyboardInput::poll(DriveControls& controls) {
  unsigned char bytes[64];
  ssize_t n;
  while ((n = ::read(fd_, bytes, sizeof bytes)) > 0) {
    for (ssize_t i = 0; i < n; ++i) key(bytes[i], controls);
  }
}

}  // namespace trotix
