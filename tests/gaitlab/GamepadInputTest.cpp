// GamepadInput against SDL's virtual game controller, which the test plugs
// in, moves, presses and pulls out between the drive's polls.
#include "gaitlab/drive/GamepadInput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

enum Flags { kArm = 1, kStop = 2, kQuit = 4 };
enum Plug { kKeep, kUnplug, kPlugIn };
constexpr int kDeadMan = SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kA = SDL_CONTROLLER_BUTTON_A,
              kB = SDL_CONTROLLER_BUTTON_B, kY = SDL_CONTROLLER_AXIS_LEFTY,
              kRightX = SDL_CONTROLLER_AXIS_RIGHTX;

struct Row {
  const char* what;
  Plug plug;
  std::vector<std::pair<int, int>> axes, buttons;  // index, value
  int turn, step, flags;
};

// A pad with the standard controller's axes and buttons.
int Attach() {
  return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                   SDL_CONTROLLER_BUTTON_MAX, 0);
}

// One poll per row, after the row's changes; arm and stop are cleared
// between polls, as the drive clears them.
TEST(GamepadInputTest, SteersArmsStopsAndRestsWhenThePadGoes) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  int index = Attach();
  SDL_Joystick* pad = SDL_JoystickOpen(index);
  ASSERT_NE(pad, nullptr) << SDL_GetError();
  GamepadInput input;
  const std::vector<Row> rows = {
      {"stick without the dead-man", kKeep, {{kY, -32768}}, {}, 0, 0, 0},
      {"dead-man: rate limited", kKeep, {}, {{kDeadMan, 1}}, 0, -8, 0},
      {"right stick turns", kKeep, {{kRightX, 32767}}, {}, 8, -16, 0},
      {"inside the dead band", kKeep, {{kY, 4900}, {kRightX, -4900}}, {}, 0, -8, 0},
      {"released: rest at once", kKeep, {{kY, -32768}}, {{kDeadMan, 0}}, 0, 0, 0},
      {"A arms", kKeep, {}, {{kA, 1}}, 0, 0, kArm},
      {"held A arms once", kKeep, {}, {}, 0, 0, 0},
      {"B stops, A does not arm", kKeep, {}, {{kA, 0}, {kB, 1}}, 0, 0, kStop},
      {"", kKeep, {}, {{kA, 1}}, 0, 0, kStop},
      {"Back quits", kKeep, {}, {{kA, 0}, {kB, 0}, {SDL_CONTROLLER_BUTTON_BACK, 1}}, 0, 0, kQuit},
      {"walking", kKeep, {}, {{SDL_CONTROLLER_BUTTON_BACK, 0}, {kDeadMan, 1}}, 0, -8, 0},
      {"pad gone: rest and stop", kUnplug, {}, {}, 0, 0, kStop},
      {"a new pad with A down", kPlugIn, {}, {{kA, 1}}, 0, 0, 0},
      {"", kKeep, {}, {{kA, 0}}, 0, 0, 0},
      {"re-armed by a press", kKeep, {}, {{kA, 1}}, 0, 0, kArm},
  };
  DriveControls controls;
  for (const Row& row : rows) {
    if (row.plug == kUnplug) {
      SDL_JoystickClose(pad);
      SDL_JoystickDetachVirtual(index);
    }
    if (row.plug == kPlugIn) pad = SDL_JoystickOpen(index = Attach());
    for (auto [axis, value] : row.axes) SDL_JoystickSetVirtualAxis(pad, axis, value);
    for (auto [button, down] : row.buttons) SDL_JoystickSetVirtualButton(pad, button, down);
    controls.arm = controls.stop = controls.quit = false;
    const auto start = std::chrono::steady_clock::now();
    input.poll(controls);
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    if (row.plug == kUnplug) std::printf("disconnect to rest: one poll, %.0f us\n", took.count());
    const int flags = controls.arm * kArm | controls.stop * kStop | controls.quit * kQuit;
    EXPECT_EQ(controls.sliders.turn, row.turn) << row.what;
    EXPECT_EQ(controls.sliders.step, row.step) << row.what;
    EXPECT_EQ(flags, row.flags) << row.what;
  }
  SDL_JoystickClose(pad);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

TEST(GamepadInputTest, NoPadIsRefused) {
  EXPECT_THROW(GamepadInput input(std::chrono::milliseconds(0)), InputError);
}

}  // namespace
}  // namespace trotix
