#include "tools/trotix-gait/GaitOptions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/IntegerText.h"
#include "gaitlab/physics/PhysicsParameters.h"
#include "tools/trotix-gait/GaitCommandLine.h"

namespace trotix {
namespace {

TableFormat ParseFormat(std::string_view text) {
  if (text == "csv") return TableFormat::kCsv;
  if (text == "jsonl") return TableFormat::kJsonl;
  if (text == "servo") return TableFormat::kServo;
  if (text == "none") return TableFormat::kNone;
  throw InputError("--format: " + QuoteForMessage(text) + " is not one of csv, jsonl, servo, none");
}

AngleUnits ParseUnits(std::string_view text) {
  if (text == "rad") return AngleUnits::kRadians;
  if (text == "deg") return AngleUnits::kDegrees;
  throw InputError("--units: " + QuoteForMessage(text) + " is not one of rad, deg");
}

std::string RequireFileName(std::string_view name, const std::string& value) {
  if (value.empty()) throw InputError(std::string(name) + ": the file name is empty");
  return value;
}

// Whether two names reach the same file, however they are spelt: "a.csv" and
// "./a.csv", a relative and an absolute path, a link and its target.
bool SameFile(const std::string& a, const std::string& b) {
  const auto resolve = [](const std::string& name, std::error_code& error) {
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    return std::filesystem::weakly_canonical(absolute, error).lexically_normal();
  };
  std::error_code errorA, errorB;
  // Devices such as /dev/null may take any number of outputs.
  if (std::filesystem::is_character_file(a, errorA)) return false;
  const std::filesystem::path resolvedA = resolve(a, errorA);
  const std::filesystem::path resolvedB = resolve(b, errorB);
  if (errorA || errorB) return a == b;
  return resolvedA == resolvedB;
}

bool EndsWithSvg(const std::string& name) {
  constexpr std::string_view kSuffix = ".svg";
  if (name.size() <= kSuffix.size()) return false;
  const std::string_view tail = std::string_view(name).substr(name.size() - kSuffix.size());
  return std::equal(tail.begin(), tail.end(), kSuffix.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

bool Given(const GaitOptions& options, const std::string& name) {
  return std::find(options.given.begin(), options.given.end(), name) != options.given.end();
}

// --physics-map, and --export-mjcf without a run, each do one thing and
// stop: of the other options only --gait, and `companion` if given, mean
// something with them.
void CheckSoleTask(const GaitOptions& options, const std::string& task, const char* does,
                   const char* companion = "--gait") {
  if (!Given(options, task)) return;
  for (const std::string& name : options.given) {
    if (name != task && name != "--gait" && name != companion) {
      throw InputError(name + " has no meaning with " + task + ", which " + does);
    }
  }
}

void CheckPhysicsCombination(const GaitOptions& options) {
  if (!options.physics) CheckSoleTask(options, "--export-mjcf", "writes the robot model and stops");
  CheckSoleTask(options, "--physics-map", "runs its own slider settings and writes only the map",
                "--ensemble");
  if (options.physicsTorques && (!options.physics || options.format == TableFormat::kNone)) {
    throw InputError("--physics-torques: add --physics and a csv or jsonl table");
  }
  if (Given(options, "--ensemble") && !options.physics && options.physicsMapPath.empty()) {
    throw InputError("--ensemble: add --physics or --physics-map (it sets how many models walk)");
  }
  if (!options.physicsSummaryPath.empty() && !options.physics) {
    throw InputError("--physics-summary: add --physics (the summary is of a physics run)");
  }
  if (options.physics && options.format == TableFormat::kServo) {
    throw InputError(
        "--physics: the servo format has no room for the trunk's pose; use csv, "
        "jsonl or none");
  }
  if (options.physicsSummaryPath == "-") {
    throw InputError("--physics-summary: give a file name, not '-'");
  }
  if (!options.physicsMapPath.empty() && !EndsWithSvg(options.physicsMapPath)) {
    throw InputError("--physics-map: " + QuoteForMessage(options.physicsMapPath) +
                     " does not end in .svg (the map is an SVG drawing)");
  }
}

void CheckCombination(const GaitOptions& options) {
  CheckPhysicsCombination(options);
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--output", &options.outputPath},
      {"--plot", &options.plotPath},
      {"--report", &options.reportPath},
      {"--physics-summary", &options.physicsSummaryPath}};
  for (std::size_t later = 1; later < std::size(outputs); ++later) {
    for (std::size_t earlier = 0; earlier < later; ++earlier) {
      const std::string& a = *outputs[later].second;
      const std::string& b = *outputs[earlier].second;
      if (!a.empty() && a != "-" && !b.empty() && b != "-" && SameFile(a, b)) {
        throw InputError(std::string(outputs[later].first) + " and " + outputs[earlier].first +
                         " name the same file");
      }
    }
  }
  if (options.plotPath == "-") throw InputError("--plot: give a file name, not '-'");
  if (!options.plotPath.empty() && !EndsWithSvg(options.plotPath)) {
    throw InputError("--plot: " + QuoteForMessage(options.plotPath) +
                     " does not end in .svg (the plot is an SVG drawing)");
  }
  const bool angles = options.format == TableFormat::kCsv || options.format == TableFormat::kJsonl;
  if (options.units == AngleUnits::kDegrees && !angles) {
    throw InputError("--units: only the csv and jsonl formats hold angles");
  }
  if (options.format == TableFormat::kServo && options.gaitPath.empty()) {
    throw InputError("--format servo: give the servo channels with --gait FILE.yaml");
  }
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
            "may be written -100.0. Until the first row the sliders\n"
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
            "set the engine's gait, the tick period and the joints'\n"
            "servo limits and calibration from FILE (see --print-gait)",
            [&](const std::string& v) { options.gaitPath = RequireFileName("--gait", v); });
  cli.flag("--print-gait",
           "write the gait in force (the built-in one without --gait)\nas a gait file, and stop",
           [&] { options.printGait = true; });
  cli.value("--report", "FILE.json",
            "write whether servos can follow the run: each joint's range\n"
            "and top speed, broken limits, the solver's reach clamps,\n"
            "saturated rolls and jumps; '-' writes a table to stderr",
            [&](const std::string& v) { options.reportPath = RequireFileName("--report", v); });
  cli.flag("--check", "exit with status 3 when the run breaks a joint limit",
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
            "channels), or none (no rows, e.g. with --plot)",
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
  cli.flag("--physics-torques",
           "with --physics: each row gains every servo's torque (N m,\n"
           "averaged over the tick), leg0_pitch_torque_nm ...",
           [&] { options.physicsTorques = true; });
  cli.value("--ensemble", "N",
            "with --physics or --physics-map: walk N slightly different\n"
            "models, 1 to 100 (default 5); the summary and the map give\n"
            "their medians and spreads, the rows the first model's walk",
            [&](const std::string& v) {
              options.ensembleMembers =
                  static_cast<int>(ParseBoundedInteger(v, 1, kMaxEnsembleMembers, "--ensemble"));
            });
}

// --help and --version end parsing at once: what follows them is not read.
struct StopParsing {};

void AddInformationOptions(GaitCommandLine& cli, GaitOptions& options) {
  cli.flag("--help,-h", "show this text", [&] {
    options.showHelp = true;
    throw StopParsing{};
  });
  cli.flag("--version", "show the version", [&] {
    options.showVersion = true;
    throw StopParsing{};
  });
}

// Every option group, in the order --help lists them.
void AddAllOptions(GaitCommandLine& cli, GaitOptions& options) {
  AddSliderOptions(cli, options);
  AddGaitLabOptions(cli, options);
  AddRunOptions(cli, options);
  AddPhysicsOptions(cli, options);
  AddInformationOptions(cli, options);
}

}  // namespace

GaitOptions ParseGaitOptions(int argc, const char* const* argv) {
  GaitOptions options;
  GaitCommandLine cli;
  AddAllOptions(cli, options);
  try {
    cli.parse(argc, argv);
  } catch (const StopParsing&) {
    return options;
  }
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

A file is written whole or not at all. Exit status: 0 on success, 2 for bad
arguments, a bad schedule or gait file, 1 when writing an output fails, 3
when --check finds a broken joint limit, 4 when the physics model became
unstable (the summary and the map are written up to that point).

Example:
  trotix-gait --ticks 126 --step -100 --turn 20 --plot gait.svg > gait.csv
)";
}

}  // namespace trotix
