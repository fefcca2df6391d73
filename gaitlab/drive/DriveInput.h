// Where the drive's commands come from: the keyboard, nothing (scripts),
// later a gamepad. The drive asks once a tick, and at once whenever the
// source's file descriptor has input.
#ifndef TROTIX_GAITLAB_DRIVE_DRIVEINPUT_H_
#define TROTIX_GAITLAB_DRIVE_DRIVEINPUT_H_

#include "gaitlab/run/WalkStep.h"  // SliderPositions

namespace trotix {

struct DriveControls {
  SliderPositions sliders;  // the source moves them within the sliders' ranges
  bool arm = false;         // arm (again, after an e-stop); the drive clears it
  bool stop = false;        // e-stop: torque off, latched until armed again
  bool quit = false;        // torque off and end
};

class DriveInput {
 public:
  virtual ~DriveInput() = default;
  // A descriptor that becomes readable when input waits, or -1.
  virtual int fd() const { return -1; }
  // Reads what has come and changes `controls` accordingly.
  virtual void poll(DriveControls& controls) = 0;
};

// For a window that only shows a walk: the sliders as `input` moves them
// (arm and e-stop mean nothing there); false once it asks to quit.
inline bool SteerSliders(DriveInput& input, SliderPositions& sliders) {
  DriveControls controls;
  controls.sliders = sliders;
  input.poll(controls);
  sliders = controls.sliders;
  return !controls.quit;
}

// --input none: scripts arm with --arm and stop with a signal or --ticks.
class NoInput : public DriveInput {
 public:
  void poll(DriveControls&) override {}
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_DRIVEINPUT_H_
