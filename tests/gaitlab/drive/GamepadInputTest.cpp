// GamepadInput against SDL's virtual game controller, which the test plugs
// in, moves, presses and pulls out between the drive's polls.
#include "gaitlab/drive/GamepadInput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "gaitlab/drive/DriveLoop.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/run/GaitSettings.h"
#include "testing/bus/CallRecordingBus.h"

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

// The pad, pulled out at a given tick; once the drive has stopped, quits.
class UnplugAt : public DriveInput, public DriveObserver {
 public:
  UnplugAt(GamepadInput& pad, SDL_Joystick* joystick, int index, std::int64_t at)
      : pad_(pad), joystick_(joystick), index_(index), at_(at) {}
  void poll(DriveControls& controls) override {
    pad_.poll(controls);
    // Quits a while after the unplug too, so that a drive that does not
    // stop fails the test rather than hangs it.
    controls.quit = controls.quit || stopped_ || ticks_ > at_ + 50;
  }
  void tick(const DriveTick& tick) override {
    stopped_ = stopped_ || tick.stopped;
    ticks_ = tick.tick;
    if (tick.tick != at_) return;
    SDL_JoystickClose(joystick_);
    SDL_JoystickDetachVirtual(index_);
    sentBeforeUnplug = static_cast<int>(calls->size());
  }
  const std::string* calls = nullptr;
  int sentBeforeUnplug = -1;

 private:
  GamepadInput& pad_;
  SDL_Joystick* joystick_;
  int index_;
  std::int64_t at_;
  bool stopped_ = false;
  std::int64_t ticks_ = 0;
};

// A pad lost mid-walk turns the torque off at the next tick.
TEST(GamepadInputTest, APadLostWhileDrivingTurnsTheTorqueOff) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
  const int index = Attach();
  SDL_Joystick* joystick = SDL_JoystickOpen(index);
  ASSERT_NE(joystick, nullptr) << SDL_GetError();
  GaitSettings gait = DefaultGaitSettings();
  gait.tickPeriodMs = 5.0;
  for (int joint = 0; joint < kJointCount; ++joint) gait.robot.joints[joint].channel = joint;
  GamepadInput pad;
  CallRecordingBus bus;
  UnplugAt input(pad, joystick, index, 20);
  input.calls = &bus.calls;
  ServoFrames servos(gait);
  DriveSettings settings;
  settings.armAtStart = true;
  settings.lateStopPeriods = 1000;  // a loaded machine wakes 5 ms ticks late
  RunDrive(WalkStepOf(gait), servos, bus, input, {&input}, settings);
  ASSERT_GT(input.sentBeforeUnplug, 0);
  // At most the tick already under way is written before the torque goes off.
  const std::string after = bus.calls.substr(input.sentBeforeUnplug);
  EXPECT_LE(after.find('o'), 1u) << bus.calls;
  EXPECT_EQ(after.find('w', after.find('o')), std::string::npos) << bus.calls;
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

TEST(GamepadInputTest, NoPadIsRefused) {
  EXPECT_THROW(GamepadInput input(std::chrono::milliseconds(0)), InputError);
}

}  // namespace
}  // namespace trotix
