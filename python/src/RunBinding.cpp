// trotix.run and what is made from a run's arrays: the feasibility report
// and the servo pulses, each by the gait lab's own code.
#include <pybind11/numpy.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gaitlab/io/InputError.h"
#include "gaitlab/report/FeasibilityReport.h"
#include "gaitlab/servo/ServoLimiter.h"
#include "gaitlab/tables/ServoTable.h"
#include "python/src/ArrayOwner.h"
#include "python/src/Bindings.h"
#include "python/src/CheckedArguments.h"
#include "python/src/DefaultNew.h"
#include "python/src/Interruptible.h"
#include "python/src/RunArrays.h"

namespace py = pybind11;

namespace trotix {
namespace {

template <typename T>
using Rows = py::array_t<T, py::array::c_style | py::array::forcecast>;

std::string Text(py::handle value) { return py::str(value).cast<std::string>(); }

std::string ShapeText(const std::vector<py::ssize_t>& shape, const char* rows) {
  std::string text = "(";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    text += (i == 0 ? "" : ", ") + (shape[i] < 0 ? std::string(rows) : std::to_string(shape[i]));
  }
  return text + (shape.size() == 1 ? ",)" : ")");
}

// An array argument of `function` (or what numpy reads as one) whose dtype
// converts to T without loss, of shape `shape` (-1: any number of rows):
// TypeError for another kind of value, ValueError for another shape.
template <typename T>
Rows<T> CheckedRows(py::handle value, std::vector<py::ssize_t> shape, const char* name,
                    const char* function) {
  const py::array array = py::array::ensure(value);
  const py::dtype target = py::dtype::of<T>();
  const auto castable = [&] {
    return py::module_::import("numpy").attr("can_cast")(array.dtype(), target, "safe");
  };
  if (!array || !castable().template cast<bool>()) {
    const std::string what =
        array ? "dtype " + Text(array.dtype()) : Text(py::type::handle_of(value).attr("__name__"));
    throw py::type_error(std::string(function) + ": " + name + " must be an array of " +
                         Text(target) + " or a narrower type, not " + what);
  }
  bool same = array.ndim() == static_cast<py::ssize_t>(shape.size());
  for (std::size_t i = 0; same && i < shape.size(); ++i) {
    same = shape[i] < 0 || array.shape(static_cast<py::ssize_t>(i)) == shape[i];
  }
  if (!same) {
    const std::vector<py::ssize_t> given(array.shape(), array.shape() + array.ndim());
    throw InputError(std::string(name) + ": shape " + ShapeText(given, "") + " is not the run's " +
                     ShapeText(shape, "T"));
  }
  return Rows<T>::ensure(array);
}

// Checks the rows for Ctrl-C every so many.
constexpr py::ssize_t kRowsPerStopCheck = 4096;

std::string ReportJson(py::handle tickValues, py::handle angleValues, py::handle commandValues,
                       py::handle targetValues, const GaitDescription& gait) {
  const auto tick = CheckedRows<std::int64_t>(tickValues, {-1}, "tick", "report");
  const py::ssize_t rows = tick.shape(0);
  const auto angles = CheckedRows<double>(angleValues, {rows, kJointCount}, "angles", "report");
  const auto commands =
      CheckedRows<std::int32_t>(commandValues, {rows, kJointCount}, "commands", "report");
  const auto targets = CheckedRows<double>(targetValues, {rows, kLegCount, 3}, "targets", "report");
  FeasibilityReport report(gait.settings);
  const std::int64_t* ticks = tick.data();
  const double* angle = angles.data();
  const std::int32_t* command = commands.data();
  const double* target = targets.data();
  CallInterruptibly([&](const std::atomic<bool>& stop) {
    TickRecord record;
    for (py::ssize_t row = 0; row < rows; ++row) {
      if (row % kRowsPerStopCheck == 0) ThrowIfStopped(&stop);
      record.tick = ticks[row];
      std::copy_n(angle + row * kJointCount, kJointCount, record.angles.begin());
      std::copy_n(command + row * kJointCount, kJointCount, record.commands.begin());
      std::copy_n(target + row * kLegCount * 3, kLegCount * 3, &record.targets[0][0]);
      report.addTick(record);
    }
  });
  return report.json();
}

py::tuple ServoPulses(py::handle angleValues, const GaitDescription& gait) {
  const auto angles = CheckedRows<double>(angleValues, {-1, kJointCount}, "angles", "servo_pulses");
  const std::vector<int> joints = ChannelJoints(gait.settings);
  if (joints.empty()) {
    throw InputError("servo_pulses: no joint has a channel (give them in the gait file's joints)");
  }
  const auto rows = static_cast<std::size_t>(angles.shape(0));
  std::vector<std::int64_t> channels, pulses(rows * joints.size());
  for (const int joint : joints) channels.push_back(*gait.settings.robot.joints[joint].channel);
  // Limited as --format servo limits them: to each joint's range and, with
  // the slew limit on, its speed from one row to the next.
  std::vector<ServoLimiter> limiters;
  for (const int joint : joints) {
    limiters.emplace_back(gait.settings.robot.joints[joint], gait.settings.tickSeconds(),
                          gait.settings.slewLimit);
  }
  const double* angle = angles.data();
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t c = 0; c < joints.size(); ++c) {
      pulses[row * joints.size() + c] = limiters[c].pulse(angle[row * kJointCount + joints[c]]);
    }
  }
  const auto width = static_cast<py::ssize_t>(joints.size());
  return py::make_tuple(OwningArray(std::move(channels), {width}),
                        OwningArray(std::move(pulses), {static_cast<py::ssize_t>(rows), width}));
}

}  // namespace

void BindRun(py::module_& module) {
  py::class_<ScheduleRows> schedule(module, "Schedule",
                                    "Slider positions over time: rows of tick, turn, step, each "
                                    "holding from its tick on.");
  ConstructInNew(schedule);
  schedule
      .def_static(
          "from_csv",
          [](const std::string& text, const std::string& name) {
            CheckTextSize(text, kMaxScheduleBytes, name);
            return ScheduleRows{ParseSchedule(text, name)};
          },
          py::arg("text"), py::arg("name") = "<csv>", py::call_guard<py::gil_scoped_release>(),
          "Parses schedule CSV (at most 16 MiB, as a schedule file) as --schedule reads it; "
          "refusals are ValueErrors naming the line.")
      .def("__len__", [](const ScheduleRows& schedule) { return schedule.rows.size(); })
      .def_property_readonly(
          "rows",
          [](const ScheduleRows& schedule) {
            std::vector<std::int64_t> values;
            for (const ScheduleEntry& e : schedule.rows)
              values.insert(values.end(), {e.tick, e.turn, e.step});
            return OwningArray(std::move(values),
                               {static_cast<py::ssize_t>(schedule.rows.size()), 3});
          },
          "(N, 3) int64: tick, turn, step.");
  module.def(
      "load_schedule",
      [](const std::string& path) {
        return ReadWithoutGil([&] { return ScheduleRows{LoadSchedule(path)}; });
      },
      py::arg("path"), "Reads a schedule file as trotix-gait --schedule does.");
  module.def(
      "_run",
      [](std::int64_t ticks, int turn, int step, const ScheduleRows* schedule,
         const GaitDescription& gait, std::int64_t rampTicks) {
        return RunToArrays(ticks, turn, step, schedule, gait, rampTicks, nullptr);
      },
      py::arg("ticks"), py::arg("turn"), py::arg("step"), py::arg("schedule").none(true),
      py::arg("gait"), py::arg("ramp_ticks"));
  module.def(
      "_whole",
      [](const std::string& function, const std::string& name, py::handle value) {
        return CheckedWholeArgument(value, name, function);
      },
      py::arg("function"), py::arg("name"), py::arg("value"),
      "A whole-number argument (ticks, ramp_ticks, turn, step, ensemble) as an int, checked "
      "as the command line checks it: TypeError naming `function` for a value that is not an "
      "int, ValueError out of range.");
  module.def("_report_json", &ReportJson, py::arg("tick"), py::arg("angles"), py::arg("commands"),
             py::arg("targets"), py::arg("gait"));
  module.def("_servo_pulses", &ServoPulses, py::arg("angles"), py::arg("gait"));
}

}  // namespace trotix
