// The command line of trotix-drive.
#ifndef TROTIX_TOOLS_DRIVEOPTIONS_H_
#define TROTIX_TOOLS_DRIVEOPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

namespace trotix {

enum class InputKind { kKeyboard, kGamepad, kNone };

struct DriveOptions {
  std::string gaitPath;
  std::string busUri;
  InputKind input = InputKind::kKeyboard;
  int turn = 0;
  int step = 0;
  std::string schedulePath;
  std::int64_t ticks = -1;  // -1: until stopped
  bool arm = false;
  std::string telemetryPath;
  bool realtime = false;
  bool showHelp = false;
  bool showVersion = false;
  std::vector<std::string> given;
};

// Parses argv[1..argc-1]; throws InputError naming the offending argument.
DriveOptions ParseDriveOptions(int argc, const char* const* argv);

std::string DriveUsageText();

// Refuses an output that names an input, or two outputs one file, with
// `busUri` the bus the drive opens.
void RefuseSharedDriveFiles(const DriveOptions& options, const std::string& busUri);

}  // namespace trotix

#endif  // TROTIX_TOOLS_DRIVEOPTIONS_H_
