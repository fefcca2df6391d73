#include "gaitlab/io/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/TemporaryFiles.h"

namespace trotix {
namespace {

std::string ErrorText() { return std::strerror(errno); }

// Follows a symbolic link so that the rename replaces or creates the file it
// names rather than the link itself.
std::string ResolveTarget(const std::string& path) {
#ifdef _WIN32
  return path;
#else
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
#endif
}

// Gives the new file the mode of the one it replaces, or that of a file
// created now; Windows files have no such modes.
void SetMode(std::FILE* stream, bool replacing, mode_t replacedMode) {
#ifdef _WIN32
  (void)stream, (void)replacing, (void)replacedMode;
#else
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(::fileno(stream), replacing ? (replacedMode & 07777) : (0666 & ~mask));
#endif
}

// Moves the finished file over its target; Windows' rename() refuses an
// existing target.
bool MoveOverTarget(const std::string& from, const std::string& to) {
#ifdef _WIN32
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) return true;
  // The message reads errno, which MoveFileEx leaves as it was.
  const DWORD error = ::GetLastError();
  errno = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? EACCES : EIO;
  return false;
#else
  return ::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

OutputFile::OutputFile(const std::string& path, const std::string& option)
    : displayName_(PrintableText(path)) {
  if (path == "-") {
    stream_ = stdout;
    displayName_ = "standard output";
    return;
  }
  struct stat info;
  const bool exists = ::stat(path.c_str(), &info) == 0;
  if (!exists && errno == ELOOP) {
    throw InputError(option + ": " + QuoteForMessage(path) + ": " + ErrorText());
  }
  if (exists && S_ISDIR(info.st_mode)) {
    throw InputError(option + ": " + QuoteForMessage(path) + " is a directory");
  }
  if (exists && !S_ISREG(info.st_mode)) {
    stream_ = std::fopen(path.c_str(), "wb");
    if (stream_ == nullptr) {
      throw InputError(option + ": cannot open " + QuoteForMessage(path) + ": " + ErrorText());
    }
    ownsStream_ = true;
    return;
  }
  openTemporary(ResolveTarget(path), option);
  SetMode(stream_, exists, info.st_mode);
}

void OutputFile::openTemporary(const std::string& target, const std::string& option) {
  const std::size_t slash = target.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string pattern = directory + "." + base + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    throw InputError(option + ": cannot create " + QuoteForMessage(target) + ": " + ErrorText());
  }
  stream_ = ::fdopen(fd, "wb");
  if (stream_ == nullptr) {
    const std::string reason = ErrorText();
    ::close(fd);
    ::unlink(pattern.c_str());
    throw InputError(option + ": cannot open " + QuoteForMessage(target) + ": " + reason);
  }
  ownsStream_ = true;
  targetPath_ = target;
  temporaryPath_ = pattern;
  RegisterTemporaryFile(temporaryPath_);
}

OutputFile::~OutputFile() {
  if (ownsStream_ && stream_ != nullptr) std::fclose(stream_);
  if (!temporaryPath_.empty()) {
    ::unlink(temporaryPath_.c_str());
    ForgetTemporaryFile(temporaryPath_);
  }
}

void OutputFile::commit() {
  const auto fail = [this](const std::string& reason) {
    return OutputError("cannot write " + displayName_ + ": " + reason);
  };
  if (std::fflush(stream_) != 0) throw fail(ErrorText());
  if (!ownsStream_) return;
  const int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (closed != 0) throw fail(ErrorText());
  if (temporaryPath_.empty()) return;
  if (!MoveOverTarget(temporaryPath_, targetPath_)) throw fail(ErrorText());
  ForgetTemporaryFile(temporaryPath_);
  temporaryPath_.clear();
}

}  // namespace trotix
