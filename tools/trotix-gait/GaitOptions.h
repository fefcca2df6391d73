// The command line of trotix-gait.
#ifndef TROTIX_TOOLS_GAITOPTIONS_H_
#define TROTIX_TOOLS_GAITOPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "gaitlab/lab/LabRequest.h"
#include "gaitlab/run/Schedule.h"  // kMaxTicks
#include "trotix/SliderMapping.h"  // the slider ranges; positions outside are refused

namespace trotix {

// The lab's request and what only the command line asks.
struct GaitOptions : LabRequest {
  bool showHelp = false;
  bool showVersion = false;
  bool watchGamepad = false;       // --input gamepad: a game controller steers --watch too
  std::vector<std::string> given;  // the options on the command line, e.g. "--turn"
};

// Parses argv[1..argc-1]; throws InputError naming the offending argument.
// --help or --version ends parsing at once.
GaitOptions ParseGaitOptions(int argc, const char* const* argv);

// The text printed by --help.
std::string GaitUsageText();

}  // namespace trotix

#endif  // TROTIX_TOOLS_GAITOPTIONS_H_
