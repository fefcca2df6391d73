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

// The longest file name most file systems take (NAME_MAX).
constexpr std::size_t kMaxNameBytes = 255;
constexpr char kTemporarySuffix[] = ".XXXXXX";

std::string ErrorText() { return std::strerror(errno); }

// ".NAME.XXXXXX" beside the target, NAME shortened where the whole would be
// longer than a file name may be; mkstemp makes it unique all the same.
std::string TemporaryPattern(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::size_t room = kMaxNameBytes - 1 - (sizeof kTemporarySuffix - 1);
  return directory + "." + base.substr(0, room) + kTemporarySuffix;
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
      throw OutputError(option + ": cannot open " + QuoteForMessage(path) + ": " + ErrorText());
    }
    ownsStream_ = true;
    return;
  }
  openTemporary(ResolveReplacedFile(path), option);
  SetReplacementMode(stream_, exists, info.st_mode);
}

void OutputFile::openTemporary(const std::string& target, const std::string& option) {
  std::string pattern = TemporaryPattern(target);
  const auto failure = [&](const std::string& reason) {
    return OutputError(option + ": cannot create " + QuoteForMessage(target) + ": " + reason);
  };
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw failure(ErrorText());
  if (!RegisterTemporaryFile(pattern)) {
    ::close(fd);
    ::unlink(pattern.c_str());
    throw failure("too many outputs open at once");
  }
  stream_ = ::fdopen(fd, "wb");
  if (stream_ == nullptr) {
    const std::string reason = ErrorText();
    ::close(fd);
    ::unlink(pattern.c_str());
    ForgetTemporaryFile(pattern);
    throw failure(reason);
  }
  ownsStream_ = true;
  targetPath_ = target;
  temporaryPath_ = pattern;
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
