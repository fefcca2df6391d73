#include "gaitlab/plot/FootTrace.h"

#include <algorithm>
#include <cmath>

namespace trotix {
namespace {

// Points closer than a micrometre count as the same point.
std::int64_t Quantise(double millimetres) { return std::llround(millimetres * 1000.0); }

}  // namespace

std::size_t FootTrace::KeyHash::operator()(const Key& key) const {
  std::size_t hash = 1469598103934665603ull;
  for (const std::int64_t part : key) {
    hash = (hash ^ static_cast<std::size_t>(part)) * 1099511628211ull;
  }
  return hash;
}

void FootTrace::add(double x, double z) {
  // Far-off or broken values would only squash the picture; drop them.
  if (!std::isfinite(x) || !std::isfinite(z) || std::abs(x) > 1e6 || std::abs(z) > 1e6) {
    hasLast_ = false;
    return;
  }
  if (!hasBounds_) {
    minX_ = maxX_ = x;
    minZ_ = maxZ_ = z;
    hasBounds_ = true;
  }
  minX_ = std::min(minX_, x);
  maxX_ = std::max(maxX_, x);
  minZ_ = std::min(minZ_, z);
  maxZ_ = std::max(maxZ_, z);
  const double fromX = hasLast_ ? lastX_ : x;
  const double fromZ = hasLast_ ? lastZ_ : z;
  hasLast_ = true;
  lastX_ = x;
  lastZ_ = z;
  if (segments_.size() >= maxSegments_) return;
  const Key key{Quantise(fromX), Quantise(fromZ), Quantise(x), Quantise(z)};
  if (seen_.insert(key).second) segments_.push_back({fromX, fromZ, x, z});
}

}  // namespace trotix
