// The gait file of a trotix-gait built without yaml-cpp: --gait and
// --print-gait are refused, each in one line.
#include "gaitlab/gait/GaitFile.h"
#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

InputError Unavailable(const std::string& option) {
  return InputError(option +
                    ": this trotix-gait was built without yaml-cpp, so it has no gait files");
}

}  // namespace

GaitSettings ParseGaitFile(std::string_view, const std::string&,
                           const std::vector<GaitFileSection>&) {
  throw Unavailable("--gait");
}

GaitSettings LoadGaitFile(const std::string&, const std::vector<GaitFileSection>&) {
  throw Unavailable("--gait");
}

std::string GaitFileText(const GaitSettings&, const std::string&) {
  throw Unavailable("--print-gait");
}

}  // namespace trotix
