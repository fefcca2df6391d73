// How likely a gait is to throw the robot over, from how many of an
// ensemble's members fell: the share, its 90 % Wilson score interval, and a
// verdict that says "uncertain" rather than guess.
#ifndef TROTIX_GAITLAB_FALLESTIMATE_H_
#define TROTIX_GAITLAB_FALLESTIMATE_H_

namespace trotix {

// The two-sided 90 % normal quantile.
constexpr double kFallIntervalZ = 1.6448536269514722;

// A verdict is clear only when the whole interval lies on one side of this
// band around one half: below it the robot walks, above it it falls. An
// interval that reaches into the band (or covers it) is uncertain.
constexpr double kUncertainBandLow = 0.35;
constexpr double kUncertainBandHigh = 0.65;

enum class FallVerdict { kWalks, kFalls, kUncertain };

struct FallEstimate {
  double probability = 0.0;  // fallen / members
  double low = 0.0, high = 1.0;
  FallVerdict verdict = FallVerdict::kUncertain;
};

// `members` must be at least 1.
FallEstimate EstimateFalls(int fallen, int members);

// "walks", "falls" or "uncertain".
const char* FallVerdictName(FallVerdict verdict);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_FALLESTIMATE_H_
