#include "tools/physics/PhysicsMap.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

#include "engine/SliderMapping.h"
#include "tools/GaitRun.h"
#include "tools/physics/PhysicsRun.h"

namespace trotix {
namespace {

int Spread(int index, int count, int low, int high) {
  return static_cast<int>(std::trunc(low + (high - low) * index / double(count - 1)));
}

PhysicsSummary WalkOneSetting(const RobotModel& model, const GaitSettings& gait, double seconds,
                              int turn, int step) {
  PhysicsRun run(model, gait.tickPeriodMs);
  RunSettings settings;
  ApplyGaitSettings(gait, settings.engine);
  settings.stage = &run;
  const auto ticks = static_cast<std::int64_t>(std::llround(seconds / gait.tickSeconds()));
  RunGait(ticks, {turn, step}, {}, {}, settings);
  return run.summary();
}

}  // namespace

std::vector<MapCell> MapSettings() {
  std::vector<MapCell> cells;
  for (int row = 0; row < kMapRows; ++row) {
    for (int column = 0; column < kMapColumns; ++column) {
      cells.push_back({Spread(column, kMapColumns, kTurnMin, kTurnMax),
                       Spread(row, kMapRows, kStepMin, kStepMax),
                       {}});
    }
  }
  return cells;
}

std::vector<MapCell> RunPhysicsMap(const RobotModel& model, const GaitSettings& gait,
                                   double seconds, unsigned threads) {
  std::vector<MapCell> cells = MapSettings();
  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  std::atomic<std::size_t> next{0};
  std::mutex errorMutex;
  std::exception_ptr error;
  const auto work = [&] {
    for (std::size_t i = next++; i < cells.size(); i = next++) {
      try {
        cells[i].summary = WalkOneSetting(model, gait, seconds, cells[i].turn, cells[i].step);
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
