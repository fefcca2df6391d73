#include "python/src/RunArrays.h"

#include <iterator>

#include "gaitlab/physics/PhysicsCheck.h"
#include "python/src/ArrayOwner.h"
#include "python/src/CheckedArguments.h"
#include "python/src/Interruptible.h"

namespace py = pybind11;

namespace trotix {

RunArrays::RunArrays(std::int64_t ticks, double tickPeriodMs, bool body) : body_(body) {
  layout_.tickPeriodMs = tickPeriodMs;
  const auto rows = static_cast<std::size_t>(ticks);
  tick_.reserve(rows);
  time_.reserve(rows);
  angles_.reserve(rows * kJointCount);
  commands_.reserve(rows * kJointCount);
  targets_.reserve(rows * kLegCount * 3);
  if (body_) pose_.reserve(rows * std::size(kBodyNames));
}

void RunArrays::addTick(const TickRecord& record) {
  tick_.push_back(record.tick);
  time_.push_back(layout_.seconds(record.tick));
  angles_.insert(angles_.end(), record.angles.begin(), record.angles.end());
  commands_.insert(commands_.end(), record.commands.begin(), record.commands.end());
  for (const auto& target : record.targets)
    targets_.insert(targets_.end(), target.begin(), target.end());
  if (body_) {
    const std::array<double, 6> pose = record.body.values();
    pose_.insert(pose_.end(), pose.begin(), pose.end());
  }
}

py::dict RunArrays::release() {
  const auto rows = static_cast<py::ssize_t>(tick_.size());
  py::dict arrays;
  arrays["tick"] = OwningArray(std::move(tick_), {rows});
  arrays["time_s"] = OwningArray(std::move(time_), {rows});
  arrays["angles"] = OwningArray(std::move(angles_), {rows, kJointCount});
  arrays["commands"] = OwningArray(std::move(commands_), {rows, kJointCount});
  arrays["targets"] = OwningArray(std::move(targets_), {rows, kLegCount, 3});
  if (body_) {
    arrays["body"] =
        OwningArray(std::move(pose_), {rows, static_cast<py::ssize_t>(std::size(kBodyNames))});
  }
  return arrays;
}

py::dict RunToArrays(std::int64_t ticks, int turn, int step, const ScheduleRows* schedule,
                     const GaitDescription& gait, std::int64_t rampTicks, PhysicsCheck* physics) {
  ticks = CheckedTicks(ticks);
  const SliderPositions start = CheckedSliders(turn, step);
  RunSettings settings;
  settings.walk = WalkStepOf(gait.settings);
  settings.rampTicks = CheckedTicks(rampTicks, "ramp_ticks");
  settings.stage = physics != nullptr ? &physics->stage() : nullptr;
  RunArrays arrays(ticks, gait.settings.tickPeriodMs, physics != nullptr);
  // A long run stops at Ctrl-C as Python code would: the signal's exception
  // ends the run and reaches the caller.
  CallInterruptibly([&](const std::atomic<bool>& stop) {
    settings.stop = &stop;
    if (physics != nullptr) physics->stopWhen(&stop);
    RunGait(ticks, start, schedule != nullptr ? schedule->rows : Schedule{}, {&arrays}, settings);
    // The ensemble's other members walk now, as interruptibly.
    if (physics != nullptr) physics->summary();
  });
  if (physics != nullptr) physics->stopWhen(nullptr);
  return arrays.release();
}

}  // namespace trotix
