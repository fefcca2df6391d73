// The slider map: a physics run for each setting of a grid over both
// sliders, shared out over all cores.
#ifndef TROTIX_GAITLAB_PHYSICSMAP_H_
#define TROTIX_GAITLAB_PHYSICSMAP_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/physics/PhysicsSummary.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

constexpr int kMapColumns = 9;  // turn settings, -80 to 80
constexpr int kMapRows = 9;     // step settings, -130 (the slider's top) to 130
constexpr double kMapSecondsPerSetting = 10.0;

struct MapCell {
  int turn;
  int step;
  PhysicsSummary summary;
};

// The settings evenly over both sliders' ranges, in whole positions (the
// ones between the ends truncated towards 0), row by row from step -130.
std::vector<MapCell> MapSettings();

// Called with the number of settings walked so far, one call at a time.
using MapProgress = std::function<void(std::size_t cellsDone)>;

// The ticks a setting walks: at least `seconds`, whatever the tick period.
std::int64_t MapTicks(const GaitSettings& gait, double seconds = kMapSecondsPerSetting);

class EnsembleModels;

// Walks one setting as the map does, its members one after another (the
// settings share the cores).
PhysicsSummary RunPhysicsSetting(const EnsembleModels& models, const GaitSettings& gait,
                                 double seconds, SliderPositions sliders);

// Walks each setting from a standing start for MapTicks(gait, seconds), as
// an ensemble of up to `members` (PhysicsEnsemble.h), the settings on
// `threads` threads (0: one per core), telling `progress` of each setting
// done. Throws InputError naming the map as `what` when built without MuJoCo.
std::vector<MapCell> RunPhysicsMap(const PhysicsParameters& parameters, const GaitSettings& gait,
                                   double seconds = kMapSecondsPerSetting, unsigned threads = 0,
                                   int members = kDefaultEnsembleMembers,
                                   const MapProgress& progress = nullptr,
                                   const std::string& what = "physics map");

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSMAP_H_
