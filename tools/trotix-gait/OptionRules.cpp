#include "tools/trotix-gait/OptionRules.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "gaitlab/io/FileUse.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/RobotMjcf.h"

namespace trotix {
namespace {

bool EndsWithSvg(const std::string& name) { return EndsWith(name, ".svg"); }

bool Given(const GaitOptions& options, const std::string& name) {
  return std::find(options.given.begin(), options.given.end(), name) != options.given.end();
}

// The options that do one thing and stop, and the only others that mean
// something with each.
struct SoleTask {
  const char* name;
  const char* does;
  std::vector<std::string> allowed;
};

void CheckSoleTask(const GaitOptions& options, const SoleTask& task) {
  if (!Given(options, task.name)) return;
  for (const std::string& name : options.given) {
    const bool allowed =
        std::find(task.allowed.begin(), task.allowed.end(), name) != task.allowed.end();
    if (name != task.name && !allowed) {
      throw InputError(name + " has no meaning with " + task.name + ", which " + task.does);
    }
  }
}

void CheckSoleTasks(const GaitOptions& options) {
  const SoleTask tasks[] = {
      {"--print-gait", "writes the gait file and stops", {"--gait", "--output"}},
      {"--physics-map",
       "runs its own slider settings and writes only the map",
       {"--gait", "--ensemble", "--seed", "--threads"}},
      {"--watch",
       "runs the physics in a window until it is closed",
       {"--gait", "--physics", "--turn", "--step", "--input"}},
  };
  // With a physics run, --export-mjcf also writes the run's replay.
  if (!options.physics) {
    CheckSoleTask(
        options,
        {"--export-mjcf", "writes the robot model and stops", {"--gait", "--export-urdf"}});
  }
  CheckSoleTask(
      options,
      {"--export-urdf", "writes the robot for ROS tools and stops", {"--gait", "--export-mjcf"}});
  for (const SoleTask& task : tasks) CheckSoleTask(options, task);
}

bool WritesAngles(TableFormat format) {
  return format == TableFormat::kCsv || format == TableFormat::kJsonl;
}

// An option that needs another, or a format, to have any effect in a run.
struct Dependency {
  const char* name;
  bool met;
  const char* message;  // follows "NAME: "
};

void CheckDependencies(const GaitOptions& options) {
  const Dependency dependencies[] = {
      {"--ramp", !options.schedulePath.empty(),
       "add --schedule (the ramps lead from one schedule row to the next)"},
      {"--targets", WritesAngles(options.format),
       "only the csv and jsonl formats hold the foot targets"},
      {"--units", WritesAngles(options.format) || !options.reportPath.empty(),
       "only the csv and jsonl formats and --report hold angles"},
      {"--output", options.format != TableFormat::kNone,
       "nothing is written to it with --format none"},
      {"--physics-summary", options.physics, "add --physics (the summary is of a physics run)"},
      {"--physics-torques", options.physics && options.format != TableFormat::kNone,
       "add --physics and a csv or jsonl table"},
      {"--ensemble", options.physics || !options.physicsMapPath.empty(),
       "add --physics or --physics-map (it sets how many models walk)"},
      {"--seed", options.physics || !options.physicsMapPath.empty(),
       "add --physics or --physics-map (it draws the models)"},
      {"--threads", options.physics || !options.physicsMapPath.empty(),
       "add --physics or --physics-map (it shares their models out)"},
  };
  for (const std::string& name : options.given) {
    for (const Dependency& dependency : dependencies) {
      if (name == dependency.name && !dependency.met) {
        throw InputError(name + ": " + dependency.message);
      }
    }
  }
}

void CheckVideo(const GaitOptions& options) {
  if (options.watch && !options.physics) throw InputError("--watch: add --physics");
  if (Given(options, "--input") && !options.watch) throw InputError("--input: add --watch");
  if (options.videoPath.empty()) {
    for (const char* name : {"--video-fps", "--video-size"}) {
      if (Given(options, name)) throw InputError(std::string(name) + ": add --video FILE");
    }
    return;
  }
  if (!options.physics) throw InputError("--video: add --physics (the video is of a physics run)");
  if (options.videoPath == "-") throw InputError("--video: give a file name, not '-'");
  if (!EndsWith(options.videoPath, ".mp4") && !EndsWith(options.videoPath, ".gif")) {
    throw InputError("--video: " + QuoteForMessage(options.videoPath) +
                     " ends in neither .mp4 nor .gif");
  }
  if (options.ticks == 0) throw InputError("--video: --ticks 0 makes no frames");
}

// Every file the run reads or writes, inputs first; "-" is a stream.
std::vector<FileUse> FilesOfTheRun(const GaitOptions& options) {
  std::vector<FileUse> files;
  const auto add = [&files](const std::string& label, const std::string& path, bool written) {
    if (!path.empty() && path != "-") files.push_back({label, path, written});
  };
  add("--gait", options.gaitPath, false);
  add("--schedule", options.schedulePath, false);
  add("--output", options.outputPath, true);
  add("--plot", options.plotPath, true);
  add("--report", options.reportPath, true);
  add("--physics-summary", options.physicsSummaryPath, true);
  add("--physics-map", options.physicsMapPath, true);
  add("--export-mjcf", options.exportMjcfPath, true);
  add("--export-urdf", options.exportUrdfPath, true);
  if (options.physics && !options.exportMjcfPath.empty()) {
    add("the replay of --export-mjcf", ReplayPath(options.exportMjcfPath), true);
  }
  add("--video", options.videoPath, true);
  return files;
}

void CheckFileNames(const GaitOptions& options) {
  RefuseSharedFiles(FilesOfTheRun(options));
  if (options.plotPath == "-") throw InputError("--plot: give a file name, not '-'");
  if (options.physicsSummaryPath == "-") {
    throw InputError("--physics-summary: give a file name, not '-'");
  }
  struct Drawing {
    const char* option;
    const std::string* path;
    const char* noun;
  };
  const Drawing drawings[] = {{"--plot", &options.plotPath, "plot"},
                              {"--physics-map", &options.physicsMapPath, "map"}};
  for (const Drawing& drawing : drawings) {
    if (!drawing.path->empty() && !EndsWithSvg(*drawing.path)) {
      throw InputError(std::string(drawing.option) + ": " + QuoteForMessage(*drawing.path) +
                       " does not end in .svg (the " + drawing.noun + " is an SVG drawing)");
    }
  }
}

}  // namespace

bool EndsWith(const std::string& name, std::string_view suffix) {
  if (name.size() <= suffix.size()) return false;
  const std::string_view tail = std::string_view(name).substr(name.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

void CheckCombination(const GaitOptions& options) {
  CheckSoleTasks(options);
  CheckDependencies(options);
  CheckVideo(options);
  if (options.physics && options.format == TableFormat::kServo) {
    throw InputError(
        "--physics: the servo format has no room for the trunk's pose; use csv, "
        "jsonl or none");
  }
  CheckFileNames(options);
  if (options.format == TableFormat::kServo && options.gaitPath.empty()) {
    throw InputError("--format servo: give the servo channels with --gait FILE.yaml");
  }
}

}  // namespace trotix
