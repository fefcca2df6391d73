// The live drive: the walk step at the gait's tick period on absolute time,
// every value limited, nothing sent before the drive is armed, a soft start
// to the walk's first frame, and the torque off on every way out.
#ifndef TROTIX_GAITLAB_DRIVE_DRIVELOOP_H_
#define TROTIX_GAITLAB_DRIVE_DRIVELOOP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/drive/DriveInput.h"
#include "gaitlab/drive/DriveTick.h"
#include "gaitlab/drive/ServoFrames.h"
#include "gaitlab/run/GaitReload.h"
#include "gaitlab/run/Schedule.h"

namespace trotix {

// A tick that wakes more than this many periods late stops the drive.
constexpr std::int64_t kLateStopPeriods = 3;
// Bus servos are read back at least this often while armed.
constexpr std::int64_t kReadbackTicks = 10;

struct DriveSettings {
  std::int64_t walkTicks = -1;  // walk ticks after the soft start; -1: until stopped
  SliderPositions start;
  const Schedule* schedule = nullptr;  // with one, it moves the sliders
  bool armAtStart = false;
  std::int64_t lateStopPeriods = kLateStopPeriods;
  GaitReload* reload = nullptr;  // with one, a changed gait file takes over the walk
};

enum class DriveEnd { kTicksDone, kQuit, kSignal, kBusFault, kLate };

struct DriveOutcome {
  DriveEnd end = DriveEnd::kQuit;
  int signal = 0;       // with kSignal
  std::string message;  // with kBusFault and kLate
};

// Runs until a way out; the torque is off on return and on any exception
// (an OutputError from an observer, a bad allocation).
DriveOutcome RunDrive(WalkStep walk, ServoFrames& servos, ServoBus& bus, DriveInput& input,
                      const std::vector<DriveObserver*>& observers, const DriveSettings& settings);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_DRIVELOOP_H_
