#include "gaitlab/physics/PhysicsMap.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

#include "gaitlab/physics/PhysicsEnsemble.h"
#include "gaitlab/run/GaitRun.h"

namespace trotix {
namespace {

PhysicsSummary WalkOneSetting(const EnsembleModels& models, const GaitSettings& gait,
                              double seconds, int turn, int step) {
  EnsembleRun run(models, gait.tickPeriodMs);
  RunSettings settings;
  settings.walk = WalkStepOf(gait, models.member(0).parameters().lateralAxis);
  settings.stage = &run;
  RunGait(MapTicks(gait, seconds), {turn, step}, {}, {}, settings);
  return run.summary();
}

}  // namespace

std::vector<MapCell> RunPhysicsMap(const PhysicsParameters& parameters, const GaitSettings& gait,
                                   double seconds, unsigned threads, int members,
                                   const MapProgress& progress, const std::string&) {
  const EnsembleModels models(parameters, gait, members);
  std::vector<MapCell> cells = MapSettings();
  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  std::atomic<std::size_t> next{0};
  std::mutex errorMutex;
  std::exception_ptr error;
  std::mutex progressMutex;
  std::size_t done = 0;
  const auto work = [&] {
    for (std::size_t i = next++; i < cells.size(); i = next++) {
      try {
        cells[i].summary = WalkOneSetting(models, gait, seconds, cells[i].turn, cells[i].step);
        const std::lock_guard<std::mutex> lock(progressMutex);
        if (progress) progress(++done);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(errorMutex);
        if (!error) error = std::current_exception();
        next = cells.size();
      }
    }
  };
  std::vector<std::thread> workers;
  for (unsigned t = 1; t < std::min<std::size_t>(threads, cells.size()); ++t) {
    workers.emplace_back(work);
  }
  work();
  for (std::thread& worker : workers) worker.join();
  if (error) std::rethrow_exception(error);
  return cells;
}

}  // namespace trotix
