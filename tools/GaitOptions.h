// The command line of trotix-gait.
#ifndef TROTIX_TOOLS_GAITOPTIONS_H_
#define TROTIX_TOOLS_GAITOPTIONS_H_

#include <cstdint>
#include <string>

#include "engine/SliderMapping.h"  // the slider ranges; positions outside are refused

namespace trotix {

constexpr std::int64_t kMaxTicks = 1'000'000'000;
constexpr std::int64_t kDefaultTicks = 300;

enum class TableFormat { kCsv, kJsonl, kNone };

struct GaitOptions {
  std::int64_t ticks = kDefaultTicks;
  int turn = 0;              // horizontal slider position
  int step = 0;              // vertical slider position (negative walks forwards)
  std::string schedulePath;  // empty: the sliders stay where they are
  std::string outputPath;    // empty or "-": standard output
  std::string plotPath;      // empty: no plot
  TableFormat format = TableFormat::kCsv;
  bool targets = false;
  bool showHelp = false;
  bool showVersion = false;
};

// Parses argv[1..argc-1]; throws InputError naming the offending argument.
// --help or --version ends parsing at once.
GaitOptions ParseGaitOptions(int argc, const char* const* argv);

// The text printed by --help.
const char* GaitUsageText();

}  // namespace trotix

#endif  // TROTIX_TOOLS_GAITOPTIONS_H_
