// The two ways trotix-gait can fail: the user asked for something wrong
// (exit status 2), or writing the results failed (exit status 1).
#ifndef TROTIX_GAITLAB_INPUTERROR_H_
#define TROTIX_GAITLAB_INPUTERROR_H_

#include <stdexcept>
#include <string>
#include <string_view>

namespace trotix {

// Bad command line or schedule; the message names the argument or the line.
class InputError : public std::runtime_error {
 public:
  explicit InputError(const std::string& message) : std::runtime_error(message) {}
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
