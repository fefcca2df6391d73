// The module's numeric arguments, refused with the command line's messages
// (with the argument's name in place of the option's).
#ifndef TROTIX_PYTHON_CHECKEDARGUMENTS_H_
#define TROTIX_PYTHON_CHECKEDARGUMENTS_H_

#include <cstdint>

#include "gaitlab/gait/Schedule.h"

namespace trotix {

std::int64_t CheckedTicks(std::int64_t ticks, const char* name = "ticks");
SliderPositions CheckedSliders(int turn, int step);

}  // namespace trotix

#endif  // TROTIX_PYTHON_CHECKEDARGUMENTS_H_
