#include "tools/trotix-gait/GaitOptions.h"

#include <string_view>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/IntegerText.h"
#include "gaitlab/physics/PhysicsParameters.h"
#include "tools/trotix-gait/GaitCommandLine.h"
#include "tools/trotix-gait/OptionRules.h"

namespace trotix {
namespace {

TableFormat ParseFormat(std::string_view text) {
  if (text == "csv") return TableFormat::kCsv;
  if (text == "jsonl") return TableFormat::kJsonl;
  if (text == "servo") return TableFormat::kServo;
  if (text == "none") return TableFormat::kNone;
  throw InputError("--format: " + QuoteForMessage(text) + " is not one of csv, jsonl, servo, none");
}

AngleUnit ParseUnits(std::string_view text) {
  if (text == "rad") return kRadians;
  if (text == "deg") return kDegrees;
  throw InputError("--units: " + QuoteForMessage(text) + " is not one of rad, deg");
}

std::string RequireFileName(std::string_view name, const std::string& value) {
  if (value.empty()) throw InputError(std::string(name) + ": the file name is empty");
  return value;
}

void AddSliderOptions(GaitCommandLine& cli, GaitOptions& options) {
  cli.group("Slider positions, as the dialog's sliders give them");
  cli.value("--turn", "H", "horizontal slider, -80 to 80 (default 0)", [&](const std::string& v) {
    options.turn = static_cast<int>(ParseBoundedInteger(v, kTurnMin, kTurnMax, "--turn"));
  });
  cli.value("--step", "V",
            "vertical slider, -130 to 130 (default 0); as in the\n"
            "dialog the top is -130, and the step length is -V",
            [&](const std::string& v) {
              options.step = static_cast<int>(ParseBoundedInteger(v, kStepMin, kStepMax, "--step"));
            });
  cli.value("--schedule", "FILE",
            "CSV rows \"tick,turn,step\": from that tick on the sliders\n"
            "stand at turn and step. Ticks must increase from row to\n"
            "row; a header naming the columns in any order, blank\n"
            "lines and '#' comments are allowed, and whole numbers\n"
            "may be written -100.0. A header may name time_s instead\n"
            "of tick: rows then hold from the first tick at or after\n"
            "that time. Quoted fields, empty trailing columns, and ';'\n"
            "between fields with a decimal comma are read as\n"
            "spreadsheets write them. Until the first row the sliders\n"
            "stand at --turn and --step.",
            [&](const std::string& v) { options.schedulePath = RequireFileName("--schedule", v); });
  cli.value("--ramp", "N",
            "move the sliders to each schedule row's values over N\n"
            "ticks, in whole positions, instead of at once (default 0)",
            [&](const std::string& v) {
              options.rampTicks = ParseBoundedInteger(v, 0, kMaxTicks, "--ramp");
            });
}

void AddGaitLabOptions(GaitCommandLine& cli, GaitOptions& options) {
  cli.group("Gait and servos");
  cli.value("--gait", "FILE.yaml",
            "set the engine's gait, the tick period (tick_period_ms,\n"
            "1 to 1000 ms) and the joints' servo limits and\n"
            "calibration from FILE (see --print-gait)",
            [&](const std::string& v) { options.gaitPath = RequireFileName("--gait", v); });
  cli.flag("--print-gait",
           "write the gait in force (the built-in one without --gait)\nas a gait file, and stop",
           [&] { options.printGait = true; });
  cli.value("--report", "FILE.json",
            "write whether servos can follow the run: each joint's range\n"
            "and top speed, broken limits, the solver's reach clamps,\n"
            "saturated rolls and jumps; '-' writes a table to stderr",
            [&](const std::string& v) { options.reportPath = RequireFileName("--report", v); });
  cli.flag("--check",
           "exit with status 3 when the run breaks a joint limit the\n"
           "gait file declares or a servo pulse had to be limited",
           [&] { options.check = true; });
  cli.value("--units", "U", "angles of the csv and jsonl rows in rad (default) or deg",
            [&](const std::string& v) { options.units = ParseUnits(v); });
}

void AddRunOptions(GaitCommandLine& cli, GaitOptions& options) {
  cli.group("Run and output");
  cli.value("--ticks", "N",
            "number of ticks to run, 0 to 1000000000 (default 300);\n"
            "ticks are numbered from 0",
            [&](const std::string& v) {
              options.ticks = ParseBoundedInteger(v, 0, kMaxTicks, "--ticks");
            });
  cli.value("--format", "F",
            "csv (default), jsonl, servo (pulse widths of the gait file's\n"
            "channels, kept within each joint's lower and upper and its\n"
            "pulse range, 500 to 2500 us unless min_us and max_us say\n"
            "otherwise; a warning names each joint limited), or none\n"
            "(no rows, e.g. with --plot)",
            [&](const std::string& v) { options.format = ParseFormat(v); });
  cli.flag("--targets", "also write the four frame-0 foot targets in millimetres",
           [&] { options.targets = true; });
  cli.value("--output", "FILE", "write the rows to FILE instead of standard output",
            [&](const std::string& v) { options.outputPath = RequireFileName("--output", v); });
  cli.value("--plot", "FILE.svg",
            "draw the joint angles over time (with the joint limits),\n"
            "each foot's sideways sway and each foot's path",
            [&](const std::string& v) { options.plotPath = RequireFileName("--plot", v); });
}

void AddPhysicsOptions(GaitCommandLine& cli, GaitOptions& options) {
  cli.group("Physics check in MuJoCo (docs/physics.md)");
  cli.flag("--physics",
           "walk a model of the robot: its servos follow each tick's\n"
           "angles; each row gains the trunk's body_x, body_y (mm),\n"
           "body_yaw, body_roll, body_pitch and body_height (mm), and\n"
           "--plot its track on the floor",
           [&] { options.physics = true; });
  cli.value("--physics-summary", "FILE.json",
            "with --physics: write the distance and path walked, the\n"
            "speeds and yaw rate with their spreads, falls, each servo's\n"
            "torques, the feet's slip and the cost of transport",
            [&](const std::string& v) {
              options.physicsSummaryPath = RequireFileName("--physics-summary", v);
            });
  cli.value(
      "--physics-map", "FILE.svg",
      "walk 9 x 9 slider settings for 10 s each, on all cores, and\n"
      "draw forward speed and yaw rate over the sliders, framing\n"
      "the settings whose models disagree; then stop",
      [&](const std::string& v) { options.physicsMapPath = RequireFileName("--physics-map", v); });
  cli.value(
      "--export-mjcf", "FILE.xml",
      "write the robot model for MuJoCo's own tools (mujoco-simulate\n"
      "FILE.xml) and stop; --gait sets its physics section and joint\n"
      "ranges; with --physics, run too and write the first model's\n"
      "state at every tick to FILE-replay.csv (docs/physics.md)",
      [&](const std::string& v) { options.exportMjcfPath = RequireFileName("--export-mjcf", v); });
  cli.value(
      "--export-urdf", "FILE.urdf",
      "write the same robot as a URDF for ROS tools (check_urdf,\n"
      "RViz) and stop; --gait sets its physics section and joint\n"
      "limits and speeds",
      [&](const std::string& v) { options.exportUrdfPath = RequireFileName("--export-urdf", v); });
  cli.flag("--physics-torques",
           "with --physics: each row gains every servo's torque (N m,\n"
           "averaged over the tick), leg0_pitch_torque_nm ...",
           [&] { options.physicsTorques = true; });
  cli.value("--ensemble", "N",
            "with --physics or --physics-map: walk up to N slightly\n"
            "different models, 1 to 100 (default 24): 6, then 6 more at a\n"
            "time while the fall verdict is uncertain; the summary and the\n"
            "map give their medians and spreads, the rows the first model's walk",
            [&](const std::string& v) {
              options.ensembleMembers =
                  static_cast<int>(ParseBoundedInteger(v, 1, kMaxEnsembleMembers, "--ensemble"));
            });
  cli.value("--seed", "N",
            "with --physics or --physics-map: draw another ensemble, 0 to\n"
            "2147483647 (default 0); the first model is the same in every one",
            [&](const std::string& v) {
              options.ensembleSeed =
                  static_cast<std::uint64_t>(ParseBoundedInteger(v, 0, kMaxEnsembleSeed, "--seed"));
            });
  cli.value("--threads", "N",
            "with --physics or --physics-map: walk the models on N threads,\n"
            "1 to 1024 (default one per core); the results are the same",
            [&](const std::string& v) {
              options.threads =
                  static_cast<unsigned>(ParseBoundedInteger(v, 1, kMaxPhysicsThreads, "--threads"));
            });
}

// Every option group, in the order --help lists them.
// "WxH" with even sides, as H.264 wants them.
void ParseVideoSize(const std::string& text, GaitOptions& options) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) {
    throw InputError("--video-size: " + QuoteForMessage(text) + " is not WIDTHxHEIGHT");
  }
  options.videoWidth =
      static_cast<int>(ParseBoundedInteger(text.substr(0, x), 64, 3840, "--video-size"));
  options.videoHeight =
      static_cast<int>(ParseBoundedInteger(text.substr(x + 1), 64, 2160, "--video-size"));
  if (options.videoWidth % 2 != 0 || options.videoHeight % 2 != 0) {
    throw InputError("--video-size: " + QuoteForMessage(text) + " has an odd side");
  }
}

void AddVideoOptions(GaitCommandLine& cli, GaitOptions& options) {
  cli.value("--video", "FILE.mp4",
            "with --physics: film the run with MuJoCo's renderer, the\n"
            "camera following the trunk, and encode it with ffmpeg as\n"
            "H.264 (.mp4) or an animated GIF (.gif); needs no display",
            [&](const std::string& v) {
              options.videoPath = RequireFileName("--video", v);
              options.videoGif = EndsWith(v, ".gif");
            });
  cli.value("--video-fps", "N", "frames per second, 1 to 120 (default: one per tick)",
            [&](const std::string& v) {
              options.videoFps = static_cast<double>(ParseBoundedInteger(v, 1, 120, "--video-fps"));
            });
  cli.value("--video-size", "WxH", "the video's size in pixels, both even (default 640x480)",
            [&](const std::string& v) { ParseVideoSize(v, options); });
  cli.flag("--watch",
           "with --physics: walk the robot in a window in real time;\n"
           "arrow keys move the sliders, the mouse turns and zooms the\n"
           "view, R starts again, Esc closes",
           [&] { options.watch = true; });
  cli.value(
      "--input", "KIND",
      "with --watch: keyboard (default: the arrow keys alone) or\n"
      "gamepad (also a game controller, as trotix-drive reads it:\n"
      "hold the right shoulder and steer with the sticks; Back\n"
      "closes the window)",
      [&](const std::string& v) {
        if (v != "keyboard" && v != "gamepad") {
          throw InputError("--input: " + QuoteForMessage(v) + " is not one of keyboard, gamepad");
        }
        options.watchGamepad = v == "gamepad";
      });
}

void AddAllOptions(GaitCommandLine& cli, GaitOptions& options) {
  AddSliderOptions(cli, options);
  AddGaitLabOptions(cli, options);
  AddRunOptions(cli, options);
  AddPhysicsOptions(cli, options);
  AddVideoOptions(cli, options);
  cli.information(options.showHelp, options.showVersion);
}

}  // namespace

GaitOptions ParseGaitOptions(int argc, const char* const* argv) {
  GaitOptions options;
  GaitCommandLine cli;
  AddAllOptions(cli, options);
  if (!cli.parse(argc, argv)) return options;
  options.given = cli.given();
  CheckCombination(options);
  return options;
}

std::string GaitUsageText() {
  GaitOptions unused;
  GaitCommandLine cli;
  AddAllOptions(cli, unused);
  return R"(Usage: trotix-gait [options]

Runs the Trotix trot walk engine without a window and writes, for every tick,
the twelve joint angles (radians) and joint commands (micro-radians).
)" + cli.optionHelp() +
         R"(
Units, the tick and its frames, leg numbering, each joint's zero and sign:
docs/conventions.md. Every row starts with tick and time_s (tick x period).

A file is written whole or not at all, the video too (ffmpeg's errors, a
video cut short or an ffmpeg stalled for 10 s fail the run and keep the old
one). No output may name an input or another output, however it is spelt.
Off a terminal, a run with more than a minute left says once how long.

Exit status:
  0  success
  1  an output could not be created or written, the run could not be
     carried out, or there is no OpenGL or ffmpeg for --video or --watch
  2  bad arguments (such as an output that names an input or another
     output), a bad schedule or gait file, --check with nothing
     declared to check, or an option this build lacks (the physics options
     without MuJoCo)
  3  --check found a broken joint limit or a limited servo pulse, or a
     reach clamp or saturated roll that the gait file's check section
     asks about
  4  the physics model became unstable (the summary and the map are
     written up to that point)

Example:
  trotix-gait --ticks 126 --step -100 --turn 20 --plot gait.svg > gait.csv
)";
}

}  // namespace trotix
