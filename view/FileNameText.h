// File names as text: wide names to UTF-8, and the loader's open failure
// message with the name cut to fit.
#ifndef TROTIX_VIEW_FILENAMETEXT_H_
#define TROTIX_VIEW_FILENAMETEXT_H_

#include <cstddef>
#include <string>

namespace trotix {

// The longest failure message, so that it fits a 256-byte buffer with its
// terminating zero.
constexpr std::size_t kMaxMessageLength = 255;

// UTF-16 (where wchar_t has 16 bits) or UTF-32 to UTF-8; unpaired
// surrogates and values beyond U+10FFFF become U+FFFD.
std::string WideToUtf8(const wchar_t* name);

// "Failed to open DIB file <name>.\n", the name cut (never inside a UTF-8
// sequence) so that the message is at most kMaxMessageLength bytes.
std::string FailedToOpenDibText(const std::string& name);

}  // namespace trotix

#endif  // TROTIX_VIEW_FILENAMETEXT_H_
