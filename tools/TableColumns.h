// Names shared by the CSV and JSON Lines tables.
#ifndef TROTIX_TOOLS_TABLECOLUMNS_H_
#define TROTIX_TOOLS_TABLECOLUMNS_H_

#include <cstddef>

namespace trotix {

// Joint names in the order of each leg's three slots.
constexpr const char* kJointNames[3] = {"pitch", "roll", "knee"};
constexpr const char* kAxisNames[3] = {"x", "y", "z"};

// Upper bound of one row of either table, line end included.
constexpr std::size_t kMaxRowChars = 2048;

}  // namespace trotix

#endif  // TROTIX_TOOLS_TABLECOLUMNS_H_
