#include "gaitlab/gait/LegReach.h"

#include <cmath>

namespace trotix {
namespace {

double SquaredLength(const std::array<double, 3>& t) {
  return t[0] * t[0] + t[1] * t[1] + t[2] * t[2];
}

}  // namespace

Reach ReachOf(const LegGeometry& leg, const std::array<double, 3>& target) {
  const double r2 = SquaredLength(target);
  if (!std::isfinite(r2)) return std::isnan(r2) ? Reach::kInside : Reach::kBeyond;
  if (r2 > leg.maxReachSquared) return Reach::kBeyond;
  if (r2 < leg.minReachSquared) return Reach::kInside;
  return Reach::kWithin;
}

std::array<double, 3> ReachedTarget(const LegGeometry& leg, const std::array<double, 3>& target) {
  const LegTarget reached = ClampToReach(leg, {target[0], target[1], target[2]});
  return {reached.x, reached.y, reached.z};
}

}  // namespace trotix
