// The module's arguments, refused as the command line refuses them: the
// same ranges and messages (with the argument's name in place of the
// option's). A value of the wrong type is a TypeError naming the public
// function it was given to.
#ifndef TROTIX_PYTHON_CHECKEDARGUMENTS_H_
#define TROTIX_PYTHON_CHECKEDARGUMENTS_H_

#include <pybind11/pybind11.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "gaitlab/run/Schedule.h"

namespace trotix {

std::int64_t CheckedTicks(std::int64_t ticks, const char* name = "ticks");
SliderPositions CheckedSliders(int turn, int step);

// An int (a numpy integer too, never a bool) within [minimum, maximum].
std::int64_t CheckedInteger(pybind11::handle value, std::int64_t minimum, std::int64_t maximum,
                            const std::string& name, const std::string& function);
// A whole-number argument known by name: ticks, ramp_ticks, turn, step or
// ensemble, with the command line's bounds.
std::int64_t CheckedWholeArgument(pybind11::handle value, const std::string& name,
                                  const std::string& function);
// An int or float (never a bool) that is finite and within [minimum, maximum].
double CheckedNumber(pybind11::handle value, double minimum, double maximum,
                     const std::string& name, const std::string& function);

// Refuses text longer than the command line reads from a file of its kind,
// with the command line's message.
void CheckTextSize(const std::string& text, std::size_t maxBytes, const std::string& name);

}  // namespace trotix

#endif  // TROTIX_PYTHON_CHECKEDARGUMENTS_H_
