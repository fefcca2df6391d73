// trotix.WalkEngine: the engine itself, stepped with its gait's variants
// (WalkStep), its results as numpy views of its own memory. Gait fields keep the engine's names,
// which are the gait file's keys too, so `engine.legs[2].stepHeight = 25` reads as the file does.
#include <pybind11/numpy.h>

#include "python/src/ArrayOwner.h"
#include "python/src/Bindings.h"
#include "python/src/CheckedArguments.h"
#include "python/src/GaitDescription.h"

namespace py = pybind11;

namespace trotix {
namespace {

void BindLegGait(py::module_& module) {
  py::class_<LegGaitParams>(module, "LegGait",
                            "One leg's gait parameters and phase, a view into its engine. Lengths "
                            "in mm; each tick advances the phase by 4 x 0.008 x stepRate.")
      .def_readwrite("stepRate", &LegGaitParams::stepRate,
                     "The gait's speed: the phase grows by stepRate x 0.008 per frame.")
      .def_readwrite("stepLength", &LegGaitParams::stepLength,
                     "The stride, mm (the sliders write halfStepLength, which the gait uses).")
      .def_readwrite("sideStepLength", &LegGaitParams::sideStepLength,
                     "The full sideways stroke, mm; the gait uses halfSideStepLength.")
      .def_readwrite("turnStep", &LegGaitParams::turnStep,
                     "The turn slider's position, as the sliders last wrote it.")
      .def_readwrite("footOffsetZ", &LegGaitParams::footOffsetZ,
                     "How far below the shoulder the foot path sits, mm.")
      .def_readwrite("stepHeight", &LegGaitParams::stepHeight, "The foot path's height, mm.")
      .def_readwrite("footOffsetX", &LegGaitParams::footOffsetX,
                     "How far ahead of the shoulder the foot path sits, mm.")
      .def_readwrite("footOffsetY", &LegGaitParams::footOffsetY,
                     "How far sideways of the shoulder the foot path sits, mm.")
      .def_readwrite("phase", &LegGaitParams::phase, "Where in its cycle the leg is, 0 to 1.")
      .def_readwrite("halfStepLength", &LegGaitParams::halfStepLength,
                     "Half the along-track stroke, mm, which the step slider writes.")
      .def_readwrite("turnStroke", &LegGaitParams::turnStroke,
                     "The turn's stroke, mm, which the turn slider writes.")
      .def_readwrite("halfSideStepLength", &LegGaitParams::halfSideStepLength,
                     "Half the sideways stroke, mm.")
      .def_readwrite("legIndex", &LegGaitParams::legIndex, "The leg's number.");
}

}  // namespace

void BindEngine(py::module_& module) {
  BindLegGait(module);
  py::class_<WalkStep>(module, "WalkEngine",
                       "The trot walk engine. tick() advances the gait and solves the legs; "
                       "joint_angles, joint_commands and frame_targets are views of the "
                       "engine's own memory, updated by every tick.")
      .def(py::init<>(), "An engine with its built-in gait.")
      .def(py::init([](const GaitDescription& gait) {
             return std::make_unique<WalkStep>(WalkStepOf(gait.settings, gait.physics.lateralAxis));
           }),
           py::arg("gait"), "An engine with the gait's fields, foot paths and variants.")
      .def("tick", &WalkStep::tick,
           "One tick: advance the gait, solve frame 0 of every leg (with the gait's variants).")
      .def(
          "set_sliders",
          [](WalkStep& walk, int turn, int step) { walk.setSliders(CheckedSliders(turn, step)); },
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
          [](WalkStep& walk, WalkMode mode) { walk.engine().walkMode = mode; },
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
