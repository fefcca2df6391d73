// trotix.Gait: a gait file in memory, read and written with the command
// line's own parser and printer, so its messages and values are the same.
#include "gaitlab/gaitfile/BusSection.h"
#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/gaitfile/GaitFileKeys.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsMap.h"
#include "gaitlab/physics/PhysicsSection.h"
#include "python/src/Bindings.h"
#include "python/src/CheckedArguments.h"
#include "python/src/DefaultNew.h"
#include "python/src/GaitDescription.h"
#include "python/src/Interruptible.h"

namespace py = pybind11;

namespace trotix {

namespace {

// The sections besides the gait's own. The bus section is trotix-drive's:
// read so that a robot's file loads here too, and not kept.
std::vector<GaitFileSection> Sections(GaitDescription& gait, BusSettings& bus) {
  return {PhysicsSection(gait.physics), BusSection(bus)};
}

}  // namespace

GaitDescription ParseGaitDescription(const std::string& text, const std::string& name) {
  CheckTextSize(text, kMaxGaitFileBytes, name);
  GaitDescription gait;
  BusSettings bus;
  gait.settings = ParseGaitFile(text, name, Sections(gait, bus));
  return gait;
}

GaitDescription LoadGaitDescription(const std::string& path) {
  GaitDescription gait;
  BusSettings bus;
  gait.settings = LoadGaitFile(path, Sections(gait, bus));
  return gait;
}

std::string GaitDescriptionText(const GaitDescription& gait) {
  return GaitFileText(gait.settings, PhysicsSectionText(gait.physics, gait.settings.robot));
}

namespace {

// The keys a gait file sets per leg, with this leg's values.
py::dict LegDict(const LegGaitParams& leg) {
  py::dict values;
  for (const SectionKey<LegGaitParams>& key : LegKeys()) {
    values[key.name] = leg.*std::get<double LegGaitParams::*>(key.field);
  }
  return values;
}

}  // namespace

void BindGait(py::module_& module) {
  py::class_<GaitDescription> gait(module, "Gait",
                                   "A gait file: the engine's gait, the servos of its joints and "
                                   "the physics model. Gait() is the built-in gait; a Gait does "
                                   "not change once made.");
  ConstructInNew(gait);
  DefineInit(gait, [](GaitDescription&) {});  // __new__ made the built-in gait
  gait.def_static("from_yaml", &ParseGaitDescription, py::arg("text"), py::arg("name") = "<yaml>",
                  py::call_guard<py::gil_scoped_release>(),
                  "Parses gait file text (at most 1 MiB, as a gait file); a refusal is a "
                  "ValueError naming `name`, the line and the key, as the command line's.")
      .def("to_yaml", &GaitDescriptionText,
           "The gait file text that trotix-gait --print-gait writes; from_yaml reads it back "
           "to the same values.")
      .def_property_readonly(
          "tick_period_ms", [](const GaitDescription& g) { return g.settings.tickPeriodMs; },
          "The tick period, ms: time_s = tick x period.")
      .def_property_readonly(
          "legs",
          [](const GaitDescription& g) {
            py::list legs;
            for (const LegGaitParams& leg : g.settings.legs) legs.append(LegDict(leg));
            return legs;
          },
          "Each leg's gait fields as a dict, under the gait file's keys.")
      .def("__eq__", [](const GaitDescription& a, const GaitDescription& b) {
        return GaitDescriptionText(a) == GaitDescriptionText(b);
      });
  // trotix pickles a Gait as its text (a __setstate__ would be skipped on
  // the whole object that __new__ makes).
  module.def(
      "load_gait",
      [](const std::string& path) {
        return ReadWithoutGil([&] { return LoadGaitDescription(path); });
      },
      py::arg("path"),
      "Reads a gait file; a missing, unreadable or refused file is a ValueError with "
      "the command line's message.");
  module.attr("MAP_SECONDS_PER_SETTING") = kMapSecondsPerSetting;
  module.attr("ENSEMBLE_MEMBERS") = kDefaultEnsembleMembers;
  module.def(
      "_map_ticks", [](const GaitDescription& gait) { return MapTicks(gait.settings); },
      "The ticks a map cell walks: at least MAP_SECONDS_PER_SETTING seconds.");
}

}  // namespace trotix
