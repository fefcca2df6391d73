#include "gaitlab/physics/FallEstimate.h"

#include <algorithm>
#include <cmath>

namespace trotix {

// Wilson's score interval: unlike the normal approximation it stays within
// 0 and 1 and is not empty when no member, or every member, fell.
FallEstimate EstimateFalls(int fallen, int members) {
  const double n = members, p = fallen / n, z2 = kFallIntervalZ * kFallIntervalZ;
  const double centre = (p + z2 / (2.0 * n)) / (1.0 + z2 / n);
  const double half =
      kFallIntervalZ / (1.0 + z2 / n) * std::sqrt(p * (1.0 - p) / n + z2 / (4.0 * n * n));
  FallEstimate e;
  e.probability = p;
  e.low = fallen == 0 ? 0.0 : std::max(0.0, centre - half);
  e.high = fallen == members ? 1.0 : std::min(1.0, centre + half);
  e.verdict = e.high < kUncertainBandLow   ? FallVerdict::kWalks
              : e.low > kUncertainBandHigh ? FallVerdict::kFalls
                                           : FallVerdict::kUncertain;
  return e;
}

const char* FallVerdictName(FallVerdict verdict) {
  switch (verdict) {
    case FallVerdict::kWalks:
      return "walks";
    case FallVerdict::kFalls:
      return "falls";
    case FallVerdict::kUncertain:
      break;
  }
  return "uncertain";
}

}  // namespace trotix
