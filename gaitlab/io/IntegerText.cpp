#include "gaitlab/io/IntegerText.h"

#include <charconv>
#include <cmath>

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

std::int64_t ParseBoundedInteger(std::string_view text, std::int64_t minimum, std::int64_t maximum,
                                 const std::string& what) {
  std::string_view digits = text;
  // from_chars rejects a leading '+', which people do type.
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
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
  if (stop != end || (error != std::errc() && error != std::errc::result_out_of_range)) {
    throw InputError(what + ": " + QuoteForMessage(text) + " is not a whole number");
  }
  if (error == std::errc::result_out_of_range || value < minimum || value > maximum) {
    const std::string shown = error == std::errc() ? std::to_string(value) : QuoteForMessage(text);
    throw InputError(what + ": " + shown + " is out of range " + std::to_string(minimum) + " to " +
                     std::to_string(maximum));
  }
  return value;
}

}  // namespace trotix
