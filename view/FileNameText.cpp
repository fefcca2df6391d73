#include "view/FileNameText.h"

#include <cstdint>
#include <type_traits>

namespace trotix {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(char32_t c, std::string* out) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string WideToUtf8(const wchar_t* name) {
  std::string out;
  for (const wchar_t* p = name; *p != 0; ++p) {
    // Through the unsigned type of the same width, so a 16-bit unit stays 16 bits.
    char32_t c = static_cast<std::make_unsigned_t<wchar_t>>(*p);
    if (sizeof(wchar_t) == 2 && IsHighSurrogate(c) && IsLowSurrogate(p[1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(p[1]) - 0xDC00);
      ++p;
    }
    AppendUtf8(c, &out);
  }
  return out;
}

std::string FailedToOpenDibText(const std::string& name) {
  static const std::string kPrefix = "Failed to open DIB file ";
  static const std::string kSuffix = ".\n";
  const std::size_t room = kMaxMessageLength - kPrefix.size() - kSuffix.size();
  std::size_t length = name.size();
  if (length > room) {
    length = room;
    // Step back to the start of a character; at most three bytes for UTF-8.
    for (int i = 0; i < 3 && length > 0 && IsContinuationByte(name[length]); ++i) --length;
  }
  return kPrefix + name.substr(0, length) + kSuffix;
}

}  // namespace trotix
