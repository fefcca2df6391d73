#include "tools/GaitOptions.h"

#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

#include "tools/InputError.h"
#include "tools/IntegerText.h"

namespace trotix {
namespace {

TableFormat ParseFormat(std::string_view text) {
  if (text == "csv") return TableFormat::kCsv;
  if (text == "jsonl") return TableFormat::kJsonl;
  if (text == "none") return TableFormat::kNone;
  throw InputError("--format: " + QuoteForMessage(text) + " is not one of csv, jsonl, none");
}

std::string RequireFileName(std::string_view name, const std::string& value) {
  if (value.empty()) throw InputError(std::string(name) + ": the file name is empty");
  return value;
}

// Stores one option that takes a value.
void ApplyValue(GaitOptions& options, std::string_view name, const std::string& value) {
  const std::string what(name);
  if (name == "--ticks") {
    options.ticks = ParseBoundedInteger(value, 0, kMaxTicks, what);
  } else if (name == "--turn") {
    options.turn = static_cast<int>(ParseBoundedInteger(value, kTurnMin, kTurnMax, what));
  } else if (name == "--step") {
    options.step = static_cast<int>(ParseBoundedInteger(value, kStepMin, kStepMax, what));
  } else if (name == "--schedule") {
    options.schedulePath = RequireFileName(name, value);
  } else if (name == "--output") {
    options.outputPath = RequireFileName(name, value);
  } else if (name == "--plot") {
    options.plotPath = RequireFileName(name, value);
  } else if (name == "--format") {
    options.format = ParseFormat(value);
  }
}

bool TakesValue(std::string_view name) {
  static const std::set<std::string_view> kValued = {"--ticks",  "--turn", "--step",  "--schedule",
                                                     "--output", "--plot", "--format"};
  return kValued.count(name) != 0;
}

// Whether two names reach the same file, however they are spelt: "a.csv" and
// "./a.csv", a relative and an absolute path, a link and its target.
bool SameFile(const std::string& a, const std::string& b) {
  const auto resolve = [](const std::string& name, std::error_code& error) {
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    return std::filesystem::weakly_canonical(absolute, error).lexically_normal();
  };
  std::error_code errorA, errorB;
  const std::filesystem::path resolvedA = resolve(a, errorA);
  const std::filesystem::path resolvedB = resolve(b, errorB);
  if (errorA || errorB) return a == b;
  return resolvedA == resolvedB;
}

void CheckCombination(const GaitOptions& options) {
  if (!options.plotPath.empty() && options.plotPath != "-" && !options.outputPath.empty() &&
      options.outputPath != "-" && SameFile(options.plotPath, options.outputPath)) {
    throw InputError("--plot and --output name the same file");
  }
  if (options.plotPath == "-") throw InputError("--plot: give a file name, not '-'");
}

}  // namespace

GaitOptions ParseGaitOptions(int argc, const char* const* argv) {
  GaitOptions options;
  std::set<std::string> seen;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.showHelp = true;
      return options;
    }
    if (arg == "--version") {
      options.showVersion = true;
      return options;
    }
    if (arg.substr(0, 2) != "--") {
      throw InputError("unexpected argument " + QuoteForMessage(arg) + " (see --help)");
    }
    const std::size_t equals = arg.find('=');
    const std::string name(arg.substr(0, equals));
    if (!TakesValue(name) && name != "--targets") {
      throw InputError("unknown option " + QuoteForMessage(name) + " (see --help)");
    }
    if (!seen.insert(name).second) throw InputError(name + " is given more than once");
    if (name == "--targets") {
      if (equals != std::string_view::npos) throw InputError("--targets takes no value");
      options.targets = true;
      continue;
    }
    std::string value;
    if (equals != std::string_view::npos) {
      value = std::string(arg.substr(equals + 1));
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      throw InputError(name + " needs a value");
    }
    ApplyValue(options, name, value);
  }
  CheckCombination(options);
  return options;
}

const char* GaitUsageText() {
  return R"(Usage: trotix-gait [options]

Runs the Trotix trot walk engine without a window and writes, for every tick,
the twelve joint angles (radians) and joint commands (micro-radians).

Slider positions, as the dialog's sliders give them:
  --turn H         horizontal slider, -80 to 80 (default 0)
  --step V         vertical slider, -130 to 130 (default 0); as in the
                   dialog the top is -130, and the step length is -V
  --schedule FILE  CSV rows "tick,turn,step": from that tick on the sliders
                   stand at turn and step. Ticks must increase from row to
                   row; an optional "tick,turn,step" header, blank lines and
                   lines starting with '#' are allowed. Until the first row
                   the sliders stand at --turn and --step.

Run and output:
  --ticks N        number of ticks to run, 0 to 1000000000 (default 300);
                   ticks are numbered from 0
  --format F       csv (default), jsonl, or none (no rows, e.g. with --plot)
  --targets        also write the four frame-0 foot targets in millimetres
  --output FILE    write the rows to FILE instead of standard output
  --plot FILE.svg  draw the joint angles over the run and each foot's path
  --help           show this text
  --version        show the version

A file is written whole or not at all. Exit status: 0 on success, 2 for bad
arguments or a bad schedule, 1 when writing the output fails.

Example:
  trotix-gait --ticks 126 --step -100 --turn 20 --plot gait.svg > gait.csv
)";
}

}  // namespace trotix
