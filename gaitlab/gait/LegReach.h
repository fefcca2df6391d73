// Where the leg solver moves a foot target before solving it: along its own
// ray into [rmin, rmax], both tests strict; a target with no direction goes
// straight down to rmin.
#ifndef TROTIX_GAITLAB_LEGREACH_H_
#define TROTIX_GAITLAB_LEGREACH_H_

#include <array>

#include "engine/LegSolver.h"

namespace trotix {

enum class Reach { kWithin, kBeyond, kInside };

Reach ReachOf(const LegGeometry& leg, const std::array<double, 3>& target);

// The point the solver aims the foot at for `target` (x, y, z down, mm).
std::array<double, 3> ReachedTarget(const LegGeometry& leg, const std::array<double, 3>& target);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_LEGREACH_H_
