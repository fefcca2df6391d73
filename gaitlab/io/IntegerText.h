// Numbers typed by the user, checked against a range. Messages quote the
// number as it was typed.
#ifndef TROTIX_GAITLAB_INTEGERTEXT_H_
#define TROTIX_GAITLAB_INTEGERTEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace trotix {

// Parses `text` (optional sign, decimal digits, nothing else; or a decimal
// number whose value is whole, such as -100.0 or 1e2) and checks that
// it lies in [minimum, maximum]. Throws InputError whose message starts with
// `what`, e.g. "turn: 95 is out of range -80 to 80". With `decimalMark`
// ',' the decimal part follows a comma, as in "-100,0".
std::int64_t ParseBoundedInteger(std::string_view text, std::int64_t minimum, std::int64_t maximum,
                                 const std::string& what, char decimalMark = '.');

// Parses a finite decimal number such as 1.5, +2 or 1e-3 and checks that it
// lies in [minimum, maximum]; throws InputError as above, naming `form` as
// what was expected ("'x' is not a number of seconds").
double ParseBoundedNumber(std::string_view text, double minimum, double maximum,
                          const std::string& what, const std::string& form, char decimalMark = '.');

}  // namespace trotix

#endif  // TROTIX_GAITLAB_INTEGERTEXT_H_
