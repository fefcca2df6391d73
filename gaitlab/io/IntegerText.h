// Whole numbers typed by the user, checked against a range.
#ifndef TROTIX_GAITLAB_INTEGERTEXT_H_
#define TROTIX_GAITLAB_INTEGERTEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace trotix {

// Parses `text` (optional sign, decimal digits, nothing else; or a decimal
// number whose value is whole, such as -100.0 or 1e2) and checks that
// it lies in [minimum, maximum]. Throws InputError whose message starts with
// `what`, e.g. "--turn: 95 is out of range -80 to 80".
std::int64_t ParseBoundedInteger(std::string_view text, std::int64_t minimum, std::int64_t maximum,
                                 const std::string& what);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_INTEGERTEXT_H_
