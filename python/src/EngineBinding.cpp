// trotix.WalkEngine: the engine itself, stepped with its gait's variants
// (WalkStep), its results as numpy views of its own memory. Gait fields keep the engine's names,
// which are the gait file's keys too, so `engine.legs[2].stepHeight = 25` reads as the file does.
#include <pybind11/numpy.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "gaitlab/gaitfile/GaitFileKeys.h"
#include "python/src/ArrayOwner.h"
#include "python/src/Bindings.h"
#include "python/src/CheckedArguments.h"
#include "python/src/DefaultNew.h"
#include "python/src/GaitDescription.h"
#include "trotix/SliderMapping.h"

namespace py = pybind11;

namespace trotix {
namespace {

// A LegGait field with the values it accepts: a gait file key's bounds
// come from the file's table; the fields the sliders and the gait write
// get bounds of their own.
struct LegField {
  const char* name;
  double LegGaitParams::*field;
  double minimum, maximum;
  const char* doc;
};

const char* LegFieldDoc(const std::string& name) {
  static const std::pair<const char*, const char*> docs[] = {
      {"stepRate", "The gait's speed: the phase grows by stepRate x 0.008 per frame."},
      {"sideStepLength", "The full sideways stroke, mm; the gait uses halfSideStepLength."},
      {"footOffsetZ", "How far below the shoulder the foot path sits, mm."},
      {"stepHeight", "The foot path's height, mm."},
      {"footOffsetX", "How far ahead of the shoulder the foot path sits, mm."},
      {"footOffsetY", "How far sideways of the shoulder the foot path sits, mm."},
  };
  for (const auto& [key, doc] : docs) {
    if (name == key) return doc;
  }
  return "";
}

std::vector<LegField> LegFields() {
  std::vector<LegField> fields;
  for (const SectionKey<LegGaitParams>& key : LegKeys()) {
    fields.push_back({key.name, std::get<double LegGaitParams::*>(key.field), key.minimum,
                      key.maximum, LegFieldDoc(key.name)});
  }
  constexpr double kLength = kMaxFootPathLength;
  const LegField own[] = {
      {"stepLength", &LegGaitParams::stepLength, -kLength, kLength,
       "The stride, mm, -1000 to 1000 (the sliders write halfStepLength, which the gait uses)."},
      {"turnStep", &LegGaitParams::turnStep, kTurnMin, kTurnMax,
       "The turn slider's position as the sliders last wrote it, -80 to 80."},
      {"phase", &LegGaitParams::phase, 0.0, 1.0, "Where in its cycle the leg is, 0 to 1."},
      {"halfStepLength", &LegGaitParams::halfStepLength, -kLength, kLength,
       "Half the along-track stroke, mm, -1000 to 1000, which the step slider writes."},
      {"turnStroke", &LegGaitParams::turnStroke, -kLength, kLength,
       "The turn's stroke, mm, -1000 to 1000, which the turn slider writes."},
      {"halfSideStepLength", &LegGaitParams::halfSideStepLength, -kLength, kLength,
       "Half the sideways stroke, mm, -1000 to 1000."},
  };
  fields.insert(fields.end(), std::begin(own), std::end(own));
  return fields;
}

void BindLegGait(py::module_& module) {
  py::class_<LegGaitParams> leg(
      module, "LegGait",
      "One leg's gait parameters and phase, a view into its engine. Lengths in mm; each tick "
      "advances the phase by 4 x 0.008 x stepRate. A value that is not finite or outside the "
      "field's bounds (a gait file key's bounds for its keys) is a ValueError.");
  ConstructInNew(leg);
  for (const LegField& f : LegFields()) {
    std::string doc = f.doc;
    leg.def_property(
        f.name, [field = f.field](const LegGaitParams& p) { return p.*field; },
        [f](LegGaitParams& p, py::handle value) {
          p.*f.field = CheckedNumber(value, f.minimum, f.maximum, f.name, "LegGait");
        },
        doc.c_str());
  }
  leg.def_property(
      "legIndex", [](const LegGaitParams& p) { return p.legIndex; },
      [](LegGaitParams& p, py::handle value) {
        p.legIndex = static_cast<std::int32_t>(
            CheckedInteger(value, 0, kLegCount - 1, "legIndex", "LegGait"));
      },
      "The leg's number, 0 to 3.");
}

// The engine's walk modes, each a stored set of foot paths.
constexpr int kFirstWalkMode = 2;
constexpr int kLastWalkMode = 4;

}  // namespace

void BindEngine(py::module_& module) {
  BindLegGait(module);
  py::class_<WalkStep> engine(
      module, "WalkEngine",
      "The trot walk engine. tick() advances the gait and solves the legs; joint_angles, "
      "joint_commands and frame_targets are views of the engine's own memory, updated by "
      "every tick.");
  ConstructInNew(engine);
  DefineInit(
      engine, [](WalkStep& walk) { walk = WalkStep(); }, "An engine with its built-in gait.");
  DefineInit(
      engine, [](WalkStep& walk, const GaitDescription& gait) { walk = WalkStepOf(gait.settings); },
      py::arg("gait"), "An engine with the gait's fields, foot paths and variants.");
  engine
      .def("tick", &WalkStep::tick,
           "One tick: advance the gait, solve frame 0 of every leg (with the gait's variants).")
      .def(
          "set_sliders",
          [](WalkStep& walk, py::handle turn, py::handle step) {
            walk.setSliders({static_cast<int>(CheckedWholeArgument(turn, "turn", "set_sliders")),
                             static_cast<int>(CheckedWholeArgument(step, "step", "set_sliders"))});
          },
          py::arg("turn"), py::arg("step"),
          "Maps the dialog's slider positions onto the legs, as the dialog does before each tick.")
      .def_property_readonly(
          "legs",
          [](py::object self) {
            WalkEngine& engine = self.cast<WalkStep&>().engine();
            py::list legs;
            for (LegGaitParams& leg : engine.legs) {
              legs.append(py::cast(&leg, py::return_value_policy::reference_internal, self));
            }
            return legs;
          },
          "The four legs' LegGait (0, 1 front; 0, 2 on one side), views into this engine.")
      .def_property(
          "walk_mode", [](const WalkStep& walk) { return walk.engine().walkMode; },
          [](WalkStep& walk, py::handle value) {
            walk.engine().walkMode = static_cast<WalkMode>(
                CheckedInteger(value, kFirstWalkMode, kLastWalkMode, "walk_mode", "WalkEngine"));
          },
          "The foot path set: 2, 3 or 4.")
      .def_property_readonly(
          "joint_angles",
          [](py::object self) {
            return ReadOnlyView(self.cast<WalkStep&>().engine().jointAngles.data(), {kJointCount},
                                self);
          },
          "(12,) float64 radians, leg-major pitch, roll, knee; a read-only view.")
      .def_property_readonly(
          "joint_commands",
          [](py::object self) {
            return ReadOnlyView(self.cast<WalkStep&>().engine().jointCommands.data(), {kJointCount},
                                self);
          },
          "(12,) int32 micro-radians, truncated toward zero; a read-only view.")
      .def_property_readonly(
          "frame_targets",
          [](py::object self) {
            return ReadOnlyView(&self.cast<WalkStep&>().engine().frameTargets[0][0][0],
                                {kFramesPerAdvance, kLegCount, 3}, self);
          },
          "(4, 4, 3) float64 foot targets in mm, [frame][leg][x, y, z down]; a read-only view.");
}

}  // namespace trotix
