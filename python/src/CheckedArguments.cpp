#include "python/src/CheckedArguments.h"

#include <cmath>
#include <string>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/IntegerText.h"
#include "gaitlab/io/NumberText.h"
#include "gaitlab/physics/PhysicsParameters.h"
#include "trotix/SliderMapping.h"

namespace py = pybind11;

namespace trotix {
namespace {

struct WholeArgument {
  const char* name;
  std::int64_t minimum, maximum;
};

constexpr WholeArgument kWholeArguments[] = {
    {"ticks", 0, kMaxTicks},
    {"ramp_ticks", 0, kMaxTicks},
    {"turn", kTurnMin, kTurnMax},
    {"step", kStepMin, kStepMax},
    {"ensemble", 1, kMaxEnsembleMembers},
    {"seed", 0, kMaxEnsembleSeed},
    {"threads", 1, kMaxPhysicsThreads},
};

[[noreturn]] void RefuseType(py::handle value, const std::string& name, const std::string& function,
                             const char* expected) {
  throw py::type_error(function + ": " + name + " must be " + expected + ", not " +
                       std::string(py::str(py::type::handle_of(value).attr("__name__"))));
}

bool IsBool(py::handle value) {
  return PyBool_Check(value.ptr()) ||
         py::isinstance(value, py::module_::import("numpy").attr("bool_"));
}

}  // namespace

std::int64_t CheckedTicks(std::int64_t ticks, const char* name) {
  return ParseBoundedInteger(std::to_string(ticks), 0, kMaxTicks, name);
}

SliderPositions CheckedSliders(int turn, int step) {
  return {static_cast<int>(ParseBoundedInteger(std::to_string(turn), kTurnMin, kTurnMax, "turn")),
          static_cast<int>(ParseBoundedInteger(std::to_string(step), kStepMin, kStepMax, "step"))};
}

std::int64_t CheckedInteger(py::handle value, std::int64_t minimum, std::int64_t maximum,
                            const std::string& name, const std::string& function) {
  if (IsBool(value) || !PyIndex_Check(value.ptr())) RefuseType(value, name, function, "an int");
  const py::int_ whole = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
  if (!whole) throw py::error_already_set();
  std::string text;
  try {
    text = py::str(py::handle(whole)).cast<std::string>();
  } catch (const py::error_already_set&) {
    // Python prints at most 4300 digits: the leading ones and zeros for the
    // rest, of which the message shows the first few anyway.
    const auto zeros = static_cast<std::size_t>(
        static_cast<double>(py::cast<std::int64_t>(whole.attr("bit_length")())) * 0.30103 - 50);
    const py::object leading = whole.attr("__floordiv__")(py::int_(10).attr("__pow__")(zeros));
    text = py::str(leading).cast<std::string>() + std::string(zeros, '0');
  }
  return ParseBoundedInteger(text, minimum, maximum, name);
}

std::int64_t CheckedWholeArgument(py::handle value, const std::string& name,
                                  const std::string& function) {
  for (const WholeArgument& argument : kWholeArguments) {
    if (name == argument.name) {
      return CheckedInteger(value, argument.minimum, argument.maximum, name, function);
    }
  }
  throw std::logic_error("no whole-number argument named " + name);
}

double CheckedNumber(py::handle value, double minimum, double maximum, const std::string& name,
                     const std::string& function) {
  const bool number = PyFloat_Check(value.ptr()) || PyIndex_Check(value.ptr()) ||
                      py::isinstance(value, py::module_::import("numpy").attr("floating"));
  if (IsBool(value) || !number) RefuseType(value, name, function, "a number");
  double x = PyFloat_AsDouble(value.ptr());
  if (x == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();  // an int too large for a double
    x = HUGE_VAL;
  }
  char text[kMaxNumberChars];
  return ParseBoundedNumber(std::string_view(text, WriteDouble(text, x) - text), minimum, maximum,
                            name, "a finite number");
}

void CheckTextSize(const std::string& text, std::size_t maxBytes, const std::string& name) {
  if (text.size() > maxBytes) {
    throw InputError(name + ": larger than " + std::to_string(maxBytes >> 20) + " MiB");
  }
}

}  // namespace trotix
