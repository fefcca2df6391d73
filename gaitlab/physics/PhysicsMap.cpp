#include "gaitlab/physics/PhysicsMap.h"

#include <mutex>

#include "gaitlab/physics/ParallelWork.h"
#include "gaitlab/physics/PhysicsEnsemble.h"
#include "gaitlab/run/GaitRun.h"

namespace trotix {

PhysicsSummary RunPhysicsSetting(const EnsembleModels& models, const GaitSettings& gait,
                                 double seconds, SliderPositions sliders) {
  EnsembleRun run(models, gait.tickPeriodMs, 1);
  RunSettings settings;
  settings.walk = WalkStepOf(gait);
  settings.stage = &run;
  RunGait(MapTicks(gait, seconds), sliders, {}, {}, settings);
  return run.summary();
}

std::vector<MapCell> RunPhysicsMap(const PhysicsParameters& parameters, const GaitSettings& gait,
                                   double seconds, unsigned threads, int members,
                                   const MapProgress& progress, const std::string&) {
  const EnsembleModels models(parameters, gait, members);
  std::vector<MapCell> cells = MapSettings();
  std::mutex progressMutex;
  std::size_t done = 0;
  RunInParallel(cells.size(), threads, [&](std::size_t i) {
    cells[i].summary = RunPhysicsSetting(models, gait, seconds, {cells[i].turn, cells[i].step});
    const std::lock_guard<std::mutex> lock(progressMutex);
    if (progress) progress(++done);
  });
  return cells;
}

}  // namespace trotix
