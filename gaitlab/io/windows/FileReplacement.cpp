#include "gaitlab/io/FileReplacement.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cerrno>

namespace trotix {

// The path is replaced as given.
std::string ResolveReplacedFile(const std::string& path) { return path; }

// Windows files have no such modes.
void SetReplacementMode(std::FILE*, bool, mode_t) {}

// rename() refuses an existing target here.
bool MoveOverTarget(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) return true;
  // The message reads errno, which MoveFileEx leaves as it was.
  const DWORD error = ::GetLastError();
  errno = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? EACCES : EIO;
  return false;
}

}  // namespace trotix
