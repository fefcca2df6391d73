// The two ways trotix-gait can fail: the user asked for something wrong
// (exit status 2), or writing the results failed (exit status 1).
#ifndef TROTIX_GAITLAB_INPUTERROR_H_
#define TROTIX_GAITLAB_INPUTERROR_H_

#include <stdexcept>
#include <string>
#include <string_view>

namespace trotix {

// Bad command line, gait file or schedule; the message names the argument,
// or the file, key and line.
class InputError : public std::runtime_error {
 public:
  explicit InputError(const std::string& message) : std::runtime_error(message) {}
};

// An input file that cannot be read: the message names the file, not the
// option or argument that named it, which the caller adds.
class InputFileError : public InputError {
 public:
  // `errorNumber`: the system's errno, or 0 for a file that is too large.
  InputFileError(const std::string& message, int errorNumber)
      : InputError(message), errorNumber_(errorNumber) {}
  int errorNumber() const { return errorNumber_; }

 private:
  int errorNumber_;
};

// A write, flush, close or rename of an output failed.
class OutputError : public std::runtime_error {
 public:
  explicit OutputError(const std::string& message) : std::runtime_error(message) {}
};

// User-supplied text made safe for a one-line message: bytes that are not
// printable ASCII become '?'.
std::string PrintableText(std::string_view text);

// Quotes user-supplied text for a one-line message: non-printable bytes
// become '?' and long text is shortened.
std::string QuoteForMessage(std::string_view text);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_INPUTERROR_H_
