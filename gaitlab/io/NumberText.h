// Number formatting for the tables: the shortest text that reads back to the
// same value. Each function writes at `out` and returns the new end.
#ifndef TROTIX_GAITLAB_NUMBERTEXT_H_
#define TROTIX_GAITLAB_NUMBERTEXT_H_

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace trotix {

// Longest text either function writes ("-2.2250738585072014e-308").
constexpr std::size_t kMaxNumberChars = 32;

inline char* WriteDouble(char* out, double value) {
  return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}

inline char* WriteInteger(char* out, std::int64_t value) {
  return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}

// The same as a string, for messages and model files.
inline std::string DoubleText(double value) {
  char text[kMaxNumberChars];
  return std::string(text, WriteDouble(text, value));
}

// Copies `text` (no terminating zero) to `out`.
inline char* WriteText(char* out, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

// JSON has no NaN or infinity: those become null.
inline char* WriteJsonDouble(char* out, double value) {
  if (std::isfinite(value)) return WriteDouble(out, value);
  for (const char c : {'n', 'u', 'l', 'l'}) *out++ = c;
  return out;
}

}  // namespace trotix

#endif  // TROTIX_GAITLAB_NUMBERTEXT_H_
