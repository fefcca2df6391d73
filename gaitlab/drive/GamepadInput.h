// --input gamepad: a game controller through SDL2's game controller API,
// any pad SDL has a mapping for (SDL_GAMECONTROLLERCONFIG adds or replaces
// one). Read once a tick; the controls:
//   right shoulder  dead-man: held, the sticks steer; released, both
//                   sliders go to rest (0, 0) at the next poll
//   left stick Y    step slider (up walks forwards: towards -130)
//   left stick X    turn slider, or the right stick X, whichever is
//                   further from centre
//   A (south)       arm (again after an e-stop), on its press
//   B (east)        e-stop: torque off, latched until armed again; while
//                   held, A does not arm
//   Back / Select   quit: torque off and end
// A stick inside kDeadBand of its travel reads as centre; beyond it the
// slider's target grows linearly to the slider's end. While the dead-man is
// held a slider moves at most kMaxSliderChange positions a tick towards
// its target. A pad that goes away raises the e-stop and rests the sliders
// at the same poll; only a pad (the same or another) arms again.
#ifndef TROTIX_GAITLAB_DRIVE_GAMEPADINPUT_H_
#define TROTIX_GAITLAB_DRIVE_GAMEPADINPUT_H_

#include <chrono>
#include <cstdint>

#include "gaitlab/drive/DriveInput.h"

struct _SDL_GameController;

namespace trotix {

class GamepadInput : public DriveInput {
 public:
  static constexpr double kDeadBand = 0.15;   // of a stick's travel from centre
  static constexpr int kMaxSliderChange = 8;  // slider positions per tick
  static constexpr std::chrono::milliseconds kConnectWait{1000};

  // Opens the first game controller SDL knows, waiting up to `wait` for one
  // to appear; throws InputError when none does.
  explicit GamepadInput(std::chrono::milliseconds wait = kConnectWait);
  ~GamepadInput() override;
  GamepadInput(const GamepadInput&) = delete;
  GamepadInput& operator=(const GamepadInput&) = delete;

  void poll(DriveControls& controls) override;

 private:
  bool openFirst();
  void close();
  void steer(SliderPositions& sliders) const;

  _SDL_GameController* pad_ = nullptr;
  std::int32_t padId_ = -1;  // the pad's SDL joystick instance id
  bool armHeld_ = false;     // A at the last poll, to arm on its press only
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_GAMEPADINPUT_H_
