#include "tools/trotix-drive/DriveOptions.h"

#include <algorithm>

#include "gaitlab/io/FileUse.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/IntegerText.h"
#include "gaitlab/run/Schedule.h"  // kMaxTicks
#include "gaitlab/sim/DriveBus.h"
#include "tools/trotix-gait/GaitCommandLine.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

std::string RequireText(const std::string& name, const std::string& value) {
  if (value.empty()) throw InputError(name + ": the value is empty");
  return value;
}

// "a, b, c" as "a\nb\nc", for --help.
std::string OnePerLine(std::string list) {
  for (std::size_t comma; (comma = list.find(", ")) != std::string::npos;) {
    list.replace(comma, 2, "\n");
  }
  return list;
}

void AddOptions(GaitCommandLine& cli, DriveOptions& options) {
  cli.group("Robot and bus");
  cli.value("--gait", "FILE.yaml",
            "the robot's gait file: the gait, the tick period and each\n"
            "joint's channel, calibration, limits and max_speed",
            [&](const std::string& v) { options.gaitPath = RequireText("--gait", v); });
  cli.value("--bus", "URI",
            "where the servo values go (default: the gait file's bus\n"
            "section's uri), one of:\n" +
                OnePerLine(DriveBusForms()) + "\n(sim: the physics model, at real time)",
            [&](const std::string& v) { options.busUri = RequireText("--bus", v); });
  cli.group("Steering");
  cli.value("--input", "KIND",
            "keyboard (default; the terminal: arrows move the sliders,\n"
            "a arms, space is the e-stop, q quits), gamepad (hold the\n"
            "right shoulder and steer with the sticks; A arms, B is the\n"
            "e-stop, Back quits) or none (scripts)",
            [&](const std::string& v) {
              if (v == "keyboard") {
                options.input = InputKind::kKeyboard;
              } else if (v == "gamepad") {
                options.input = InputKind::kGamepad;
              } else if (v == "none") {
                options.input = InputKind::kNone;
              } else {
                throw InputError("--input: " + QuoteForMessage(v) +
                                 " is not one of keyboard, gamepad, none");
              }
            });
  cli.value("--turn", "H", "horizontal slider at the start, -80 to 80 (default 0)",
            [&](const std::string& v) {
              options.turn = static_cast<int>(ParseBoundedInteger(v, kTurnMin, kTurnMax, "--turn"));
            });
  cli.value("--step", "V", "vertical slider at the start, -130 to 130 (default 0)",
            [&](const std::string& v) {
              options.step = static_cast<int>(ParseBoundedInteger(v, kStepMin, kStepMax, "--step"));
            });
  cli.value("--schedule", "FILE",
            "slider rows \"tick,turn,step\" as trotix-gait reads them,\n"
            "ticks counted from the walk's first; they move the sliders\n"
            "in place of the arrow keys",
            [&](const std::string& v) { options.schedulePath = RequireText("--schedule", v); });
  cli.group("Run");
  cli.value("--ticks", "N",
            "walk N ticks after the soft start, then turn the torque\n"
            "off and end (default: until stopped)",
            [&](const std::string& v) {
              options.ticks = ParseBoundedInteger(v, 0, kMaxTicks, "--ticks");
            });
  cli.flag("--arm", "arm at once, without a key", [&] { options.arm = true; });
  cli.value("--telemetry", "FILE.jsonl",
            "one JSON object per tick sent: tick, late_us, the sliders,\n"
            "the values sent, the positions read back, the flags",
            [&](const std::string& v) { options.telemetryPath = RequireText("--telemetry", v); });
  cli.flag("--realtime", "run under SCHED_FIFO with memory locked, where permitted",
           [&] { options.realtime = true; });
}

void CheckCombination(const DriveOptions& options) {
  if (options.gaitPath.empty()) {
    throw InputError("--gait: give the robot's gait file (its channels and calibration)");
  }
  if (options.input == InputKind::kNone && !options.arm) {
    throw InputError("--input none: add --arm (without a keyboard nothing else arms the drive)");
  }
  RefuseSharedDriveFiles(options, options.busUri);
}

}  // namespace

void RefuseSharedDriveFiles(const DriveOptions& options, const std::string& busUri) {
  std::vector<FileUse> files = {{"--gait", options.gaitPath, false}};
  if (!options.schedulePath.empty()) files.push_back({"--schedule", options.schedulePath, false});
  if (busUri.rfind("record:", 0) == 0) files.push_back({"--bus", busUri.substr(7), true});
  if (!options.telemetryPath.empty() && options.telemetryPath != "-") {
    files.push_back({"--telemetry", options.telemetryPath, true});
  }
  RefuseSharedFiles(files);
}

DriveOptions ParseDriveOptions(int argc, const char* const* argv) {
  DriveOptions options;
  GaitCommandLine cli;
  AddOptions(cli, options);
  cli.information(options.showHelp, options.showVersion);
  if (!cli.parse(argc, argv)) return options;
  options.given = cli.given();
  CheckCombination(options);
  return options;
}

std::string DriveUsageText() {
  DriveOptions unused;
  GaitCommandLine cli;
  AddOptions(cli, unused);
  cli.information(unused.showHelp, unused.showVersion);
  return R"(Usage: trotix-drive --gait ROBOT.yaml [--bus URI] [options]

Walks the robot: runs the Trotix walk engine at the gait's tick period and
sends every tick's servo values, limited to each joint's range, pulse range
and max_speed, to a servo bus.
)" + cli.optionHelp() +
         R"(
Safety: nothing moves until the drive is armed (the a key, a gamepad's A,
or --arm). It then leads the servos from where they stand (read back from
bus servos, or the rest pose: each joint at its zero, its centre pulse) to
the walk's first position over at least two seconds, never faster than a
joint's max_speed. Ctrl-C, SIGTERM, SIGHUP, q, a bus fault or a tick that
wakes more than three tick periods late turn the torque off on every servo
and end the drive; space (the e-stop) turns it off and waits, latched,
until a arms again. A gamepad's B, or a gamepad that goes away, is the
same e-stop. A record:, udp: or serial: bus needs no servo of its own to
try: docs/drive-frame.md describes the frame a microcontroller receives;
sim walks the physics model instead.

The gait file is watched: a changed gait takes over at the start of the
walk's next cycle, unless it does not load or would jump a joint further
than its jump_threshold (one line says which); the joints, their limits
and the tick period stay as they were at the start.

Exit status:
  0    --ticks walked, or q
  1    the telemetry or record could not be written
  2    bad arguments, gait file, schedule or bus name
  3    the bus failed: it could not be opened, a write failed, or a servo
       reported a fault (the last line names it)
  4    a tick woke more than three tick periods late
  128+N  stopped by signal N (130 Ctrl-C, 143 SIGTERM, 129 SIGHUP)

Example:
  trotix-drive --gait examples/robot.yaml --bus record:walk.csv --input none --arm --ticks 300
)";
}

}  // namespace trotix
