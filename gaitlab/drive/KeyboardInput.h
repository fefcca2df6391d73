// --input keyboard: the terminal (POSIX) or console (Windows) on standard
// input, read key by key without echo (Ctrl-C still interrupts), restored
// when the object goes, which every way out of the drive passes. The keys:
//   Up / Down     step slider one position up (forwards) / down, as the
//                 dialog's vertical slider moves for an arrow key
//   Left / Right  turn slider one position left / right
//   0             both sliders to the centre
//   a             arm (again after an e-stop)
//   space         e-stop: torque off, latched until armed again
//   q             quit: torque off and end
#ifndef TROTIX_GAITLAB_DRIVE_KEYBOARDINPUT_H_
#define TROTIX_GAITLAB_DRIVE_KEYBOARDINPUT_H_

#include <memory>

#include "gaitlab/drive/DriveInput.h"

namespace trotix {

class KeyboardInput : public DriveInput {
 public:
  // Throws InputError when `fd` is not a terminal or console.
  explicit KeyboardInput(int fd = 0);
  ~KeyboardInput() override;
  KeyboardInput(const KeyboardInput&) = delete;
  KeyboardInput& operator=(const KeyboardInput&) = delete;

  int fd() const override { return fd_; }
  void poll(DriveControls& controls) override;

 private:
  struct SavedMode;                                // the terminal's or console's mode before
  enum class Arrow { kUp, kDown, kRight, kLeft };  // as ESC [ A to D

  // A character typed; on POSIX the arrows come as "ESC [ X" in them.
  void key(unsigned char c, DriveControls& controls);
  static void arrow(Arrow arrow, DriveControls& controls);

  int fd_;
  std::unique_ptr<SavedMode> saved_;
  int escape_ = 0;  // bytes of an arrow's "ESC [ X" seen so far
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_KEYBOARDINPUT_H_
