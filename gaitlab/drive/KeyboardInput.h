// --input keyboard: the terminal on standard input, read key by key
// without echo (Ctrl-C still interrupts), restored when the object goes,
// which every way out of the drive passes. The keys:
//   Up / Down     step slider one position up (forwards) / down, as the
//                 dialog's vertical slider moves for an arrow key
//   Left / Right  turn slider one position left / right
//   0             both sliders to the centre
//   a             arm (again after an e-stop)
//   space         e-stop: torque off, latched until armed again
//   q             quit: torque off and end
#ifndef TROTIX_GAITLAB_DRIVE_KEYBOARDINPUT_H_
#define TROTIX_GAITLAB_DRIVE_KEYBOARDINPUT_H_

#include <termios.h>

#include "gaitlab/drive/DriveInput.h"

namespace trotix {

class KeyboardInput : public DriveInput {
 public:
  // Throws InputError when `fd` is not a terminal.
  explicit KeyboardInput(int fd = 0);
  ~KeyboardInput() override;
  KeyboardInput(const KeyboardInput&) = delete;
  KeyboardInput& operator=(const KeyboardInput&) = delete;

  int fd() const override { return fd_; }
  void poll(DriveControls& controls) override;

 private:
  void key(unsigned char c, DriveControls& controls);

  int fd_;
  termios saved_{};
  int escape_ = 0;  // bytes of an arrow's "ESC [ X" seen so far
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_KEYBOARDINPUT_H_
