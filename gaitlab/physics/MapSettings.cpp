// The map's grid of slider settings; it needs no physics.
#include <cmath>

#include "gaitlab/physics/PhysicsMap.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

int Spread(int index, int count, int low, int high) {
  return static_cast<int>(std::trunc(low + (high - low) * index / double(count - 1)));
}

}  // namespace

// Rounded up: a cell never walks less than the map's caption says.
std::int64_t MapTicks(const GaitSettings& gait, double seconds) {
  return static_cast<std::int64_t>(std::ceil(seconds / gait.tickSeconds() - 1e-9));
}

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

}  // namespace trotix
