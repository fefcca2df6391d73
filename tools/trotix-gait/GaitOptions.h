// The command line of trotix-gait.
#ifndef TROTIX_TOOLS_GAITOPTIONS_H_
#define TROTIX_TOOLS_GAITOPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "gaitlab/gait/AngleUnit.h"
#include "gaitlab/gait/Schedule.h"  // kMaxTicks
#include "gaitlab/physics/PhysicsParameters.h"
#include "trotix/SliderMapping.h"  // the slider ranges; positions outside are refused

namespace trotix {

constexpr std::int64_t kDefaultTicks = 300;

enum class TableFormat { kCsv, kJsonl, kServo, kNone };

struct GaitOptions {
  std::int64_t ticks = kDefaultTicks;
  int turn = 0;                    // horizontal slider position
  int step = 0;                    // vertical slider position (negative walks forwards)
  std::string schedulePath;        // empty: the sliders stay where they are
  std::string outputPath;          // empty or "-": standard output
  std::string plotPath;            // empty: no plot
  std::string gaitPath;            // empty: the engine's own gait
  std::string reportPath;          // empty: no report; "-": a table on standard error
  std::string physicsSummaryPath;  // empty: no summary
  std::string physicsMapPath;      // empty: no map
  std::string exportMjcfPath;      // empty: no model file
  std::string videoPath;           // empty: no video; .mp4 or .gif
  bool videoGif = false;           // the name ends in .gif
  double videoFps = 0.0;           // 0: one frame per tick
  int videoWidth = 640, videoHeight = 480;
  std::int64_t rampTicks = 0;
  int ensembleMembers = kDefaultEnsembleMembers;  // models a physics run walks
  std::uint64_t ensembleSeed = 0;                 // which ensemble they are
  TableFormat format = TableFormat::kCsv;
  AngleUnit units = kRadians;  // of the rows and the report
  bool targets = false;
  bool check = false;           // exit status 3 when a joint limit is broken
  bool physics = false;         // run the robot model in MuJoCo
  bool physicsTorques = false;  // the model's servo torques in every row
  bool watch = false;           // run it in a window instead, in real time
  bool printGait = false;
  bool showHelp = false;
  bool showVersion = false;
  std::vector<std::string> given;  // the options on the command line, e.g. "--turn"
};

// Parses argv[1..argc-1]; throws InputError naming the offending argument.
// --help or --version ends parsing at once.
GaitOptions ParseGaitOptions(int argc, const char* const* argv);

// The text printed by --help.
std::string GaitUsageText();

}  // namespace trotix

#endif  // TROTIX_TOOLS_GAITOPTIONS_H_
