// trotix-drive: walks the robot, sending every tick's servo values to a
// bus. The options, the gait file and the bus are read and opened here; the
// gait lab's drive (DriveLoop.h) does the rest.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "gaitlab/drive/DriveLoop.h"
#include "gaitlab/drive/DriveSignals.h"
#include "gaitlab/drive/GamepadInput.h"
#include "gaitlab/drive/KeyboardInput.h"
#include "gaitlab/drive/Realtime.h"
#include "gaitlab/drive/StatusLine.h"
#include "gaitlab/drive/TelemetryLog.h"
#include "gaitlab/gaitfile/BusSection.h"
#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/io/BinaryStandardStreams.h"
#include "gaitlab/io/CheckedWrite.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsSection.h"
#include "gaitlab/sim/DriveBus.h"
#include "tools/trotix-drive/DriveOptions.h"

namespace trotix {
namespace {

constexpr int kBusFailed = 3;
constexpr int kTooLate = 4;

// Runs `read`, refusing what it refuses with `option`'s name first.
template <typename Read>
auto NamedBy(const char* option, Read read) {
  try {
    return read();
  } catch (const InputError& error) {
    throw InputError(std::string(option) + ": " + error.what());
  }
}

struct Robot {
  GaitSettings gait;
  BusSettings bus;
  PhysicsParameters physics;  // the lateral axis the walk reads its targets on
  Schedule schedule;
};

// The gait file with every section the drive reads.
GaitSettings LoadRobotFile(const std::string& path, PhysicsParameters& physics, BusSettings& bus) {
  return LoadGaitFile(path, {PhysicsSection(physics), BusSection(bus)});
}

Robot ReadRobot(const DriveOptions& options) {
  Robot robot;
  robot.gait =
      NamedBy("--gait", [&] { return LoadRobotFile(options.gaitPath, robot.physics, robot.bus); });
  if (!options.schedulePath.empty()) {
    robot.schedule = NamedBy(
        "--schedule", [&] { return LoadSchedule(options.schedulePath, robot.gait.tickPeriodMs); });
  }
  return robot;
}

int Report(const DriveOutcome& outcome) {
  switch (outcome.end) {
    case DriveEnd::kTicksDone:
    case DriveEnd::kQuit:
      return 0;
    case DriveEnd::kSignal:
      std::fprintf(stderr, "trotix-drive: stopped by %s; torque off\n", CaughtStopName());
      return 128 + outcome.signal;
    case DriveEnd::kBusFault:
      std::fprintf(stderr, "trotix-drive: torque off: %s\n", outcome.message.c_str());
      return kBusFailed;
    case DriveEnd::kLate:
      std::fprintf(stderr, "trotix-drive: torque off: %s\n", outcome.message.c_str());
      return kTooLate;
  }
  return 1;
}

// --bus, or else the gait file's bus section.
std::string BusUriOf(const DriveOptions& options, const Robot& robot) {
  if (!options.busUri.empty()) return options.busUri;
  if (robot.bus.uri.empty()) {
    throw InputError("--bus: give the bus the servos are on (or the gait file's bus.uri)");
  }
  RefuseSharedDriveFiles(options, robot.bus.uri);
  return robot.bus.uri;
}

int Drive(const DriveOptions& options) {
  const Robot robot = ReadRobot(options);
  const std::string busUri = BusUriOf(options, robot);
  ServoFrames servos = NamedBy("--gait", [&] { return ServoFrames(robot.gait); });
  // Watching from before the bus opens: a change from then on is seen.
  GaitReload reload(
      options.gaitPath,
      [&] {
        PhysicsParameters physics;  // the model, if any, is built
        BusSettings bus;            // and the bus open
        return LoadRobotFile(options.gaitPath, physics, bus);
      },
      [](const std::string& line) {
        std::fprintf(stderr, "trotix-drive: --gait: %s\n", line.c_str());
      });
  std::unique_ptr<DriveInput> input;
  if (options.input == InputKind::kKeyboard) {
    input = std::make_unique<KeyboardInput>(STDIN_FILENO);
  } else if (options.input == InputKind::kGamepad) {
    input = std::make_unique<GamepadInput>();
  } else {
    input = std::make_unique<NoInput>();
  }
  // From here a signal stops the drive in its own way, torque off first.
  CatchStopSignals();
  std::unique_ptr<ServoBus> bus =
      NamedBy(options.busUri.empty() ? "the gait file's bus.uri" : "--bus",
              [&] { return OpenDriveBus(busUri, robot.gait, robot.physics); });
  std::optional<TelemetryLog> telemetry;
  if (!options.telemetryPath.empty()) telemetry.emplace(options.telemetryPath, "--telemetry");
  std::optional<StatusLine> status;
  if (isatty(STDERR_FILENO)) status.emplace();
  std::vector<DriveObserver*> observers;
  if (telemetry) observers.push_back(&*telemetry);
  if (status) observers.push_back(&*status);
  if (options.realtime) {
    const std::string refused = EnterRealtime();
    if (!refused.empty()) {
      std::fprintf(stderr, "trotix-drive: --realtime: %s; running at normal priority\n",
                   refused.c_str());
    }
  }
  DriveSettings settings;
  settings.walkTicks = options.ticks;
  settings.start = {options.turn, options.step};
  if (!options.schedulePath.empty()) settings.schedule = &robot.schedule;
  settings.armAtStart = options.arm;
  settings.reload = &reload;
  const DriveOutcome outcome =
      RunDrive(WalkStepOf(robot.gait), servos, *bus, *input, observers, settings);
  if (status) status->finish();
  bus->finish();
  bus.reset();
  if (telemetry) telemetry->finish();
  return Report(outcome);
}

int Main(int argc, char** argv) {
  SetStandardStreamsBinary();
  try {
    const DriveOptions options = ParseDriveOptions(argc, argv);
    if (options.showHelp) {
      WriteFileWhole("-", "--help", DriveUsageText());
      return 0;
    }
    if (options.showVersion) {
      WriteFileWhole("-", "--version", std::string("trotix-drive ") + TROTIX_VERSION + "\n");
      return 0;
    }
    return Drive(options);
  } catch (const InputError& error) {
    std::fprintf(stderr, "trotix-drive: %s\n", error.what());
    return 2;
  } catch (const BusFault& error) {
    std::fprintf(stderr, "trotix-drive: %s\n", error.what());
    return kBusFailed;
  } catch (const OutputError& error) {
    std::fprintf(stderr, "trotix-drive: torque off: %s\n", error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "trotix-drive: out of memory\n");
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "trotix-drive: %s\n", error.what());
    return 1;
  }
}

}  // namespace
}  // namespace trotix

int main(int argc, char** argv) { return trotix::Main(argc, argv); }
