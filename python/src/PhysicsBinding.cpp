// The physics check from Python: one run with the trunk's pose per tick, and
// one summary alone, which is a map cell. The summary is handed over as the
// command line's JSON, so every figure it gains reaches Python unchanged.
#include <iterator>

#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsCheck.h"
#include "python/src/Bindings.h"
#include "python/src/CheckedArguments.h"
#include "python/src/DefaultNew.h"
#include "python/src/Interruptible.h"
#include "python/src/RunArrays.h"

namespace py = pybind11;

namespace trotix {
namespace {

// The number of models an ensemble walks, within the command line's bounds.
int CheckedMembers(int members) {
  if (members < 1 || members > kMaxEnsembleMembers) {
    throw InputError("ensemble: " + std::to_string(members) + " is out of range 1 to " +
                     std::to_string(kMaxEnsembleMembers));
  }
  return members;
}

// The gait's model with the ensemble `seed` draws.
PhysicsParameters Seeded(const GaitDescription& gait, std::uint64_t seed) {
  PhysicsParameters parameters = gait.physics;
  parameters.spread.seed = seed;
  return parameters;
}

py::dict PhysicsArrays(std::int64_t ticks, int turn, int step, const ScheduleRows* schedule,
                       const GaitDescription& gait, std::int64_t rampTicks, int members,
                       std::uint64_t seed, unsigned threads) {
  const std::unique_ptr<PhysicsCheck> physics = MakePhysicsCheck(
      Seeded(gait, seed), gait.settings, "physics", CheckedMembers(members), threads);
  py::dict arrays = RunToArrays(ticks, turn, step, schedule, gait, rampTicks, physics.get());
  arrays["summary"] = PhysicsSummaryJson(physics->summary());
  return arrays;
}

// `cancel` ends the cell early (with RunStopped), as Ctrl-C does.
std::string PhysicsSummaryOnly(std::int64_t ticks, int turn, int step, const GaitDescription& gait,
                               int members, std::uint64_t seed, const StopFlag* cancel) {
  ticks = CheckedTicks(ticks);
  const SliderPositions start = CheckedSliders(turn, step);
  members = CheckedMembers(members);
  std::string summary;
  CallInterruptibly(
      [&](const std::atomic<bool>& stop) {
        const std::unique_ptr<PhysicsCheck> physics =
            MakePhysicsCheck(Seeded(gait, seed), gait.settings, "physics_map", members);
        RunSettings settings;
        settings.walk = WalkStepOf(gait.settings);
        settings.stage = &physics->stage();
        settings.stop = &stop;
        physics->stopWhen(&stop);
        RunGait(ticks, start, {}, {}, settings);
        summary = PhysicsSummaryJson(physics->summary());
      },
      cancel);
  return summary;
}

}  // namespace

void BindPhysics(py::module_& module) {
  py::class_<StopFlag> stop(module, "_StopFlag",
                            "Ends the map cells it was given once set; a pickled one is unset.");
  ConstructInNew(stop);
  DefineInit(stop, [](StopFlag&) {});
  stop.def("set", [](StopFlag& flag) { flag.set = true; }).def("__reduce__", [](const StopFlag&) {
    return py::make_tuple(py::type::of<StopFlag>(), py::tuple());
  });
  module.def("_physics", &PhysicsArrays, py::arg("ticks"), py::arg("turn"), py::arg("step"),
             py::arg("schedule").none(true), py::arg("gait"), py::arg("ramp_ticks"),
             py::arg("ensemble"), py::arg("seed"), py::arg("threads"));
  module.def("_physics_summary", &PhysicsSummaryOnly, py::arg("ticks"), py::arg("turn"),
             py::arg("step"), py::arg("gait"), py::arg("ensemble"), py::arg("seed"),
             py::arg("stop").none(true));
  py::tuple names(std::size(kBodyNames));
  for (std::size_t i = 0; i < std::size(kBodyNames); ++i) names[i] = kBodyNames[i];
  module.attr("BODY_FIELDS") = names;
}

}  // namespace trotix
