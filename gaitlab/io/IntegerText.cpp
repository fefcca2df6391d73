#include "gaitlab/io/IntegerText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "gaitlab/io/InputError.h"

namespace trotix {

std::string PrintableText(std::string_view text) {
  std::string shown;
  for (const char c : text) shown += (c >= 0x20 && c < 0x7f) ? c : '?';
  return shown;
}

std::string QuoteForMessage(std::string_view text) {
  constexpr std::size_t kMaxShown = 40;
  if (text.size() <= kMaxShown) return "'" + PrintableText(text) + "'";
  return "'" + PrintableText(text.substr(0, kMaxShown)) + "...'";
}

namespace {

// `text` with its decimal mark made a point, as from_chars reads it, and
// without the leading '+' that from_chars refuses but people type. Empty
// when the text mixes both marks.
std::string ReadableDigits(std::string_view text, char decimalMark) {
  std::string digits(text);
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.erase(0, 1);
  if (decimalMark == '.') return digits;
  if (digits.find('.') != std::string::npos) return "";
  for (char& c : digits) c = c == decimalMark ? '.' : c;
  return digits;
}

// The value as typed: plain when it reads as it would be written, quoted
// otherwise ("'999999999.99999999'" rather than the rounded 1000000000).
std::string Shown(std::string_view text, const std::string& written) {
  return text == written ? written : QuoteForMessage(text);
}

std::string RangeText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

}  // namespace

std::int64_t ParseBoundedInteger(std::string_view text, std::int64_t minimum, std::int64_t maximum,
                                 const std::string& what, char decimalMark) {
  const std::string digits = ReadableDigits(text, decimalMark);
  std::int64_t value = 0;
  const char* end = digits.data() + digits.size();
  auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (stop != end && error == std::errc()) {
    // Spreadsheets and numpy write whole numbers as -100.0 or 1.0e+02.
    double decimal = 0.0;
    const auto [decimalStop, decimalError] = std::from_chars(digits.data(), end, decimal);
    if (decimalStop == end && decimalError == std::errc() && std::isfinite(decimal) &&
        decimal == std::floor(decimal)) {
      const bool fits = std::fabs(decimal) < 9.0e18;
      value = fits ? static_cast<std::int64_t>(decimal) : 0;
      stop = end;
      error = fits ? std::errc() : std::errc::result_out_of_range;
    }
  }
  if (digits.empty() || stop != end ||
      (error != std::errc() && error != std::errc::result_out_of_range)) {
    throw InputError(what + ": " + QuoteForMessage(text) + " is not a whole number");
  }
  if (error == std::errc::result_out_of_range || value < minimum || value > maximum) {
    const std::string shown =
        error == std::errc() ? Shown(text, std::to_string(value)) : QuoteForMessage(text);
    throw InputError(what + ": " + shown + " is out of range " + std::to_string(minimum) + " to " +
                     std::to_string(maximum));
  }
  return value;
}

double ParseBoundedNumber(std::string_view text, double minimum, double maximum,
                          const std::string& what, const std::string& form, char decimalMark) {
  const std::string digits = ReadableDigits(text, decimalMark);
  double value = 0.0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || stop != end || error != std::errc() || !std::isfinite(value)) {
    throw InputError(what + ": " + QuoteForMessage(text) + " is not " + form);
  }
  if (value < minimum || value > maximum) {
    throw InputError(what + ": " + QuoteForMessage(text) + " is out of range " +
                     RangeText(minimum) + " to " + RangeText(maximum));
  }
  return value;
}

}  // namespace trotix
