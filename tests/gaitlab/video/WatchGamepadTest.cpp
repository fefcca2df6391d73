// The physics window steered by a game controller: SDL's virtual pad,
// moved from inside the window's own ticks, on a virtual X display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gaitlab/drive/GamepadInput.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/video/WatchWindow.h"

namespace trotix {
namespace {

// The dead-man held with both sticks pushed: the sliders move towards the
// forward and right ends, rate limited, once a tick; Back closes the window.
TEST(WatchGamepadTest, ThePadSteersTheSlidersAndBackClosesTheWindow) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  const int index = SDL_JoystickAttachVirtual(
      SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  SDL_Joystick* joystick = SDL_JoystickOpen(index);
  ASSERT_NE(joystick, nullptr) << SDL_GetError();
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
  GamepadInput pad;
  std::vector<SliderPositions> seen;
  WatchLive live;
  live.steer = [&](SliderPositions& sliders) {
    const bool open = SteerSliders(pad, sliders);
    seen.push_back(sliders);
    if (seen.size() == 20) SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_BACK, 1);
    return open;
  };
  WatchPhysics(PhysicsParameters{}, DefaultGaitSettings(), {}, "watch", live);
  ASSERT_EQ(seen.size(), 21u);  // Back is read at the tick after it is pressed
  for (std::size_t tick = 0; tick < seen.size(); ++tick) {
    const int moved = 8 * static_cast<int>(tick + 1);
    EXPECT_EQ(seen[tick].step, std::max(-130, -moved)) << tick;
    EXPECT_EQ(seen[tick].turn, std::min(80, moved)) << tick;
  }
  SDL_JoystickClose(joystick);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

}  // namespace
}  // namespace trotix
