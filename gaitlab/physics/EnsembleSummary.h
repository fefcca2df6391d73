// An ensemble's members' summaries as one: medians, spreads, and whether
// the members agree.
#ifndef TROTIX_GAITLAB_ENSEMBLESUMMARY_H_
#define TROTIX_GAITLAB_ENSEMBLESUMMARY_H_

#include <vector>

#include "gaitlab/physics/PhysicsSummary.h"

namespace trotix {

// The value at fraction `q` (0 to 1) of the way through `values` sorted,
// interpolated between neighbours; NaN values are left out (NaN if all are).
double Percentile(std::vector<double> values, double q);

// `members` must not be empty.
PhysicsSummary CombineSummaries(const std::vector<PhysicsSummary>& members);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ENSEMBLESUMMARY_H_
