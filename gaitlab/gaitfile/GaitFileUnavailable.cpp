// The gait file of a trotix-gait built without yaml-cpp: --gait and
// --print-gait are refused, each in one line.
#include <cerrno>

#include "gaitlab/gaitfile/BusSection.h"
#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

constexpr char kNoGaitFiles[] =
    "this trotix-gait was built without yaml-cpp, so it has no gait files";

InputError Unavailable(const std::string& option) {
  return InputError(option + ": " + kNoGaitFiles);
}

}  // namespace

GaitSettings ParseGaitFile(std::string_view, const std::string&,
                           const std::vector<GaitFileSection>&) {
  throw InputError(kNoGaitFiles);
}

GaitFileSection BusSection(BusSettings&) { return {"bus", nullptr}; }

// A file this build cannot read: its caller names it.
GaitSettings LoadGaitFile(const std::string&, const std::vector<GaitFileSection>&) {
  throw InputFileError(kNoGaitFiles, ENOSYS);
}

std::string GaitFileText(const GaitSettings&, const std::string&) {
  throw Unavailable("--print-gait");
}

}  // namespace trotix
