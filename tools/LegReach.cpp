#include "tools/LegReach.h"

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
  const Reach reach = ReachOf(leg, target);
  if (reach == Reach::kWithin) return target;
  const double length = std::hypot(target[0], target[1], target[2]);
  if (!(length > 0.0) || !std::isfinite(length)) return {0.0, 0.0, leg.minReach};
  const double scale = (reach == Reach::kBeyond ? leg.maxReach : leg.minReach) / length;
  return {target[0] * scale, target[1] * scale, target[2] * scale};
}

}  // namespace trotix
