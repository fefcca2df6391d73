#include "gaitlab/io/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace trotix {

std::string ResolveReplacedFile(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  // A dangling link: the file it ends at is the one to create.
  std::string target = path;
  for (int hop = 0; hop < 40; ++hop) {
    char link[PATH_MAX];
    const ssize_t length = ::readlink(target.c_str(), link, sizeof link);
    if (length <= 0 || length == sizeof link) return target;
    const std::string next(link, static_cast<std::size_t>(length));
    const std::size_t slash = target.rfind('/');
    target =
        next[0] == '/' || slash == std::string::npos ? next : target.substr(0, slash + 1) + next;
  }
  return target;
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
