#include "gaitlab/io/FileUse.h"

#include <filesystem>
#include <system_error>

#include "gaitlab/io/FileReplacement.h"
#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

namespace fs = std::filesystem;

// Where an output of this name would be created: the same resolution as
// the writer's, made absolute.
fs::path PlaceOf(const std::string& name, std::error_code& error) {
  const fs::path absolute = fs::absolute(ResolveReplacedFile(name), error);
  return fs::weakly_canonical(absolute, error).lexically_normal();
}

}  // namespace

bool NameTheSameFile(const std::string& a, const std::string& b) {
  std::error_code ignored;  // a name that does not exist yet has no status
  const fs::file_status statusA = fs::status(a, ignored), statusB = fs::status(b, ignored);
  const bool existA = fs::exists(statusA), existB = fs::exists(statusB);
  if ((existA && !fs::is_regular_file(statusA)) || (existB && !fs::is_regular_file(statusB))) {
    return false;
  }
  if (existA && existB) {
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    if (!error) return same;
  }
  std::error_code errorA, errorB;
  const fs::path placeA = PlaceOf(a, errorA), placeB = PlaceOf(b, errorB);
  if (errorA || errorB) return a == b;
  return placeA == placeB;
}

void RefuseSharedFiles(const std::vector<FileUse>& files) {
  for (std::size_t later = 1; later < files.size(); ++later) {
    for (std::size_t earlier = 0; earlier < later; ++earlier) {
      const FileUse& a = files[later];
      const FileUse& b = files[earlier];
      if ((a.written || b.written) && NameTheSameFile(a.path, b.path)) {
        throw InputError(a.label + " and " + b.label + " name the same file");
      }
    }
  }
}

}  // namespace trotix
