// trotix.run and what is made from a run's arrays: the feasibility report
// and the servo pulses, each by the gait lab's own code.
#include <pybind11/numpy.h>

#include "gaitlab/gait/FeasibilityReport.h"
#include "gaitlab/gait/ServoLimiter.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/tables/ServoTable.h"
#include "python/src/ArrayOwner.h"
#include "python/src/Bindings.h"
#include "python/src/RunArrays.h"

namespace py = pybind11;

namespace trotix {
namespace {

template <typename T>
using Rows = py::array_t<T, py::array::c_style | py::array::forcecast>;

void RequireRows(const py::array& array, py::ssize_t rows, std::vector<py::ssize_t> shape,
                 const char* name) {
  shape.insert(shape.begin(), rows);
  const bool same = array.ndim() == static_cast<py::ssize_t>(shape.size()) &&
                    std::equal(shape.begin(), shape.end(), array.shape());
  if (!same) throw InputError(std::string(name) + ": the array's shape does not match the run's");
}

std::string ReportJson(const Rows<std::int64_t>& tick, const Rows<double>& angles,
                       const Rows<std::int32_t>& commands, const Rows<double>& targets,
                       const GaitDescription& gait) {
  const py::ssize_t rows = tick.shape(0);
  RequireRows(angles, rows, {kJointCount}, "angles");
  RequireRows(commands, rows, {kJointCount}, "commands");
  RequireRows(targets, rows, {kLegCount, 3}, "targets");
  FeasibilityReport report(gait.settings);
  const std::int64_t* ticks = tick.data();
  const double* angle = angles.data();
  const std::int32_t* command = commands.data();
  const double* target = targets.data();
  py::gil_scoped_release release;
  TickRecord record;
  for (py::ssize_t row = 0; row < rows; ++row) {
    record.tick = ticks[row];
    std::copy_n(angle + row * kJointCount, kJointCount, record.angles.begin());
    std::copy_n(command + row * kJointCount, kJointCount, record.commands.begin());
    std::copy_n(target + row * kLegCount * 3, kLegCount * 3, &record.targets[0][0]);
    report.addTick(record);
  }
  return report.json();
}

py::tuple ServoPulses(const Rows<double>& angles, const GaitDescription& gait) {
  const std::vector<int> joints = ChannelJoints(gait.settings);
  if (joints.empty()) {
    throw InputError("servo_pulses: no joint has a channel (give them in the gait file's joints)");
  }
  RequireRows(angles, angles.shape(0), {kJointCount}, "angles");
  const auto rows = static_cast<std::size_t>(angles.shape(0));
  std::vector<std::int64_t> channels, pulses(rows * joints.size());
  for (const int joint : joints) channels.push_back(*gait.settings.joints[joint].channel);
  // Limited as --format servo limits them: to each joint's range and, with
  // the slew limit on, its speed from one row to the next.
  std::vector<ServoLimiter> limiters;
  for (const int joint : joints) {
    limiters.emplace_back(gait.settings.joints[joint], gait.settings.tickSeconds(),
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
  py::class_<ScheduleRows>(module, "Schedule",
                           "Slider positions over time: rows of tick, turn, step, each holding "
                           "from its tick on.")
      .def_static(
          "from_csv",
          [](const std::string& text, const std::string& name) {
            return ScheduleRows{ParseSchedule(text, name)};
          },
          py::arg("text"), py::arg("name") = "<csv>",
          "Parses schedule CSV as --schedule reads it; refusals are ValueErrors naming the line.")
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
      "load_schedule", [](const std::string& path) { return ScheduleRows{LoadSchedule(path)}; },
      py::arg("path"), "Reads a schedule file as trotix-gait --schedule does.");
  module.def(
      "_run",
      [](std::int64_t ticks, int turn, int step, const ScheduleRows* schedule,
         const GaitDescription& gait, std::int64_t rampTicks) {
        return RunToArrays(ticks, turn, step, schedule, gait, rampTicks, nullptr);
      },
      py::arg("ticks"), py::arg("turn"), py::arg("step"), py::arg("schedule").none(true),
      py::arg("gait"), py::arg("ramp_ticks"));
  module.def("_report_json", &ReportJson, py::arg("tick"), py::arg("angles"), py::arg("commands"),
             py::arg("targets"), py::arg("gait"));
  module.def("_servo_pulses", &ServoPulses, py::arg("angles"), py::arg("gait"));
}

}  // namespace trotix
