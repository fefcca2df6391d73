#include "gaitlab/drive/GamepadInput.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gaitlab/io/InputError.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

constexpr int kStickTravel = 32767;

bool Held(SDL_GameController* pad, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(pad, button) == 1;
}

int Axis(SDL_GameController* pad, SDL_GameControllerAxis axis) {
  return SDL_GameControllerGetAxis(pad, axis);
}

// A stick's raw value as a slider target from -reach to reach: centre
// inside the dead band, then linear to the end.
int StickToSlider(int raw, int reach) {
  const double dead = GamepadInput::kDeadBand * kStickTravel;
  const double magnitude = std::min(std::abs(raw), kStickTravel);
  if (magnitude <= dead) return 0;
  const int value =
      static_cast<int>(std::lround((magnitude - dead) / (kStickTravel - dead) * reach));
  return raw < 0 ? -value : value;
}

// `from` moved towards `to` by at most a tick's change.
int RateLimited(int from, int to) {
  return std::clamp(to, from - GamepadInput::kMaxSliderChange,
                    from + GamepadInput::kMaxSliderChange);
}

}  // namespace

GamepadInput::GamepadInput(std::chrono::milliseconds wait) {
  // The drive catches the stop signals itself; without a window there is
  // no focus, so the pad is read whatever has it.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    throw InputError(std::string("--input gamepad: SDL cannot read game controllers: ") +
                     SDL_GetError());
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (!openFirst()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
      throw InputError(
          "--input gamepad: no game controller connected (a pad SDL has no mapping for "
          "needs SDL_GAMECONTROLLERCONFIG)");
    }
    SDL_Delay(20);
    SDL_PumpEvents();  // notices pads plugged in meanwhile
  }
}

GamepadInput::~GamepadInput() {
  close();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool GamepadInput::openFirst() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    pad_ = SDL_GameControllerOpen(i);
    if (!pad_) continue;
    padId_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_));
    // A held at connection is not a press: arming takes a fresh one.
    armHeld_ = true;
    return true;
  }
  return false;
}

void GamepadInput::close() {
  if (pad_) SDL_GameControllerClose(pad_);
  pad_ = nullptr;
  padId_ = -1;
}

void GamepadInput::poll(DriveControls& controls) {
  bool removed = false;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_CONTROLLERDEVICEREMOVED && event.cdevice.which == padId_) removed = true;
  }
  const bool lost = pad_ && (removed || !SDL_GameControllerGetAttached(pad_));
  if (lost) {
    close();
    std::fprintf(stderr, "trotix-drive: the gamepad is gone: e-stop until a pad arms again\n");
  }
  // Without the pad nothing steers and nothing may walk. A pad found after
  // a loss (or another one still there) steers from the next poll on, and
  // arms only with a fresh press of A.
  if (lost || (!pad_ && !openFirst())) {
    controls.sliders = {0, 0};
    controls.stop = true;
    return;
  }
  if (Held(pad_, SDL_CONTROLLER_BUTTON_BACK)) controls.quit = true;
  const bool stopHeld = Held(pad_, SDL_CONTROLLER_BUTTON_B);
  const bool armHeld = Held(pad_, SDL_CONTROLLER_BUTTON_A);
  if (stopHeld) controls.stop = true;
  if (armHeld && !armHeld_ && !stopHeld) controls.arm = true;
  armHeld_ = armHeld;
  steer(controls.sliders);
}

void GamepadInput::steer(SliderPositions& sliders) const {
  if (!Held(pad_, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)) {
    sliders = {0, 0};
    return;
  }
  const int leftX = Axis(pad_, SDL_CONTROLLER_AXIS_LEFTX);
  const int rightX = Axis(pad_, SDL_CONTROLLER_AXIS_RIGHTX);
  const int turnX = std::abs(rightX) > std::abs(leftX) ? rightX : leftX;
  // SDL's stick Y grows downwards, and the step slider's top (-130) walks
  // forwards: up is negative in both.
  const int step = StickToSlider(Axis(pad_, SDL_CONTROLLER_AXIS_LEFTY), kStepMax);
  const int turn = StickToSlider(turnX, kTurnMax);
  sliders.step = RateLimited(sliders.step, step);
  sliders.turn = RateLimited(sliders.turn, turn);
}

}  // namespace trotix
