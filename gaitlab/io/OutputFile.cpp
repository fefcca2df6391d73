#include "gaitlab/io/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "gaitlab/io/FileReplacement.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/TemporaryFiles.h"

namespace trotix {
namespace {

std::string ErrorText() { return std::strerror(errno); }

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
  openTemporary(ResolveReplacedFile(path), option);
  SetReplacementMode(stream_, exists, info.st_mode);
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
