// Scaling and sampling of one ten-point foot path, and the sideways sway.
// Plain functions on values, shared by WalkEngine's gait operations; they
// touch no engine state, so the gait can keep its scratch values in
// registers while it runs four frames of a leg.
#ifndef TROTIX_ENGINE_FOOTPATH_H_
#define TROTIX_ENGINE_FOOTPATH_H_

#include <array>

#include "engine/WalkEngine.h"

namespace trotix {

using LocusArray = std::array<double, kLocusPoints>;

// The ranges |max - min| of both arrays of a path.
struct LocusRanges {
  double along;
  double vertical;
};

// Where a scaled path turns: the indices of its smallest and largest
// along-track values and the number of intervals of swing and stance.
struct PathSplit {
  int minIndex;
  int maxIndex;
  double swingSpan;
  double stanceSpan;
};

struct PathSample {
  double along;
  double vertical;
};

LocusRanges RangesOf(const LocusArray& along, const LocusArray& vertical);

// The indices of the smallest and largest along-track values of a scaled
// path (small enough to come back in a register).
struct PathTurns {
  int minIndex;
  int maxIndex;
};

// Scales the source path so that the along-track values span twice the half
// stroke and the vertical values span stepHeight (a flat array is scaled by
// 0), both about zero, and finds where the scaled path turns. An index keeps
// its value from `previous` only if no point updates it (NaN paths).
PathTurns ScalePath(const LocusArray& sourceAlong, const LocusArray& sourceVertical,
                    LocusArray& targetAlong, LocusArray& targetVertical, double alongHalfStroke,
                    double stepHeight, const LocusRanges& ranges, PathTurns previous);

// The points strictly after the lower index up to the higher one form the
// swing, the rest the stance.
inline PathSplit SplitAt(PathTurns turns) {
  // In doubles: indices left over from outside can be any int.
  const double lo = turns.minIndex < turns.maxIndex ? turns.minIndex : turns.maxIndex;
  const double hi = turns.minIndex < turns.maxIndex ? turns.maxIndex : turns.minIndex;
  const double swing = hi - lo;
  return {turns.minIndex, turns.maxIndex, swing, kLocusPoints - swing};
}

// Folds a cycle position in [0, 1.5) back into [0, 1).
inline double CycleFraction(double cyclePosition) {
  return cyclePosition >= 1.0 ? cyclePosition - 1.0 : cyclePosition;
}

// The point of the scaled path at cycle fraction u: swing in the middle half
// of the cycle, stance in the outer quarters.
PathSample SamplePath(const LocusArray& along, const LocusArray& vertical, const PathSplit& split,
                      double u);

// SamplePath at each of a leg's four frame positions in one call.
using FrameFractions = std::array<double, kFramesPerAdvance>;
using FrameSamples = std::array<PathSample, kFramesPerAdvance>;
FrameSamples SamplePathAtFrames(const LocusArray& along, const LocusArray& vertical,
                                const PathSplit& split, const FrameFractions& u);

// Sideways sway with amplitude g: 0 at u = 0, -g at 0.25, +g at 0.75, 0 at 1.
inline double SwayAt(double u, double g) {
  if (u < 0.25) return u * (-g) * 4;
  if (u < 0.75) return (u - 0.25) * (g - (-g)) * 2 + (-g);
  return g - (u - 0.75) * g * 4;
}

}  // namespace trotix

#endif  // TROTIX_ENGINE_FOOTPATH_H_
