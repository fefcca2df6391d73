#include "gaitlab/io/FileReplacement.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

namespace trotix {

std::string ResolveReplacedFile(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  return path;
}

void SetReplacementMode(std::FILE* stream, bool replacing, mode_t replacedMode) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(::fileno(stream), replacing ? (replacedMode & 07777) : (0666 & ~mask));
}

bool MoveOverTarget(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace trotix
