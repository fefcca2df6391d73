#include "gaitlab/video/TrunkTrack.h"

#include <cmath>

namespace trotix {
namespace {

constexpr double kSpacingM = 0.004;
constexpr double kHeightM = 0.001;  // just above the floor, so it is not hidden by it
constexpr float kColour[4] = {1.0f, 0.75f, 0.1f, 1.0f};
constexpr double kWidthPixels = 3.0;

}  // namespace

void TrunkTrack::add(double x, double y) {
  if (!points_.empty() && std::hypot(x - points_.back()[0], y - points_.back()[1]) < kSpacingM) {
    return;
  }
  if (points_.size() == kMaxPoints) {
    // Every other point goes; the newest stays.
    std::size_t kept = 0;
    for (std::size_t i = 1; i < points_.size(); i += 2) points_[kept++] = points_[i];
    points_.resize(kept);
  }
  points_.push_back({x, y});
}

void TrunkTrack::addTo(mjvScene& scene) const {
  for (std::size_t i = 1; i < points_.size() && scene.ngeom < scene.maxgeom; ++i) {
    mjvGeom& geom = scene.geoms[scene.ngeom++];
    mjv_initGeom(&geom, mjGEOM_LINE, nullptr, nullptr, nullptr, kColour);
    geom.category = mjCAT_DECOR;
    mjv_makeConnector(&geom, mjGEOM_LINE, kWidthPixels, points_[i - 1][0], points_[i - 1][1],
                      kHeightM, points_[i][0], points_[i][1], kHeightM);
  }
}

}  // namespace trotix
