// Scaling and sampling of one ten-point foot path, and the sideways sway:
// the arithmetic behind WalkEngine's scaleLocus, sampleLocus and
// writeFrameTarget. Plain functions on values, defined here so that the
// gait's sixteen frames a tick compile into one loop without calls.
#ifndef TROTIX_ENGINE_FOOTPATH_H_
#define TROTIX_ENGINE_FOOTPATH_H_

#include <algorithm>
#include <array>
#include <cmath>

#include "trotix/WalkEngine.h"

namespace trotix {

using LocusArray = std::array<double, kLocusPoints>;

// Every search starts here, so values beyond +-1000 mm are still found.
constexpr double kPathSearchLow = -kMaxFootPathLength;
constexpr double kPathSearchHigh = kMaxFootPathLength;

// The indices of the smallest and largest along-track values of a scaled
// path.
struct PathTurns {
  int minIndex;
  int maxIndex;
};

// Where a scaled path turns, and the number of intervals of swing and stance.
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

namespace foot_path_detail {

// A path whose values are all equal has no extent to scale; it is scaled by
// 0 rather than by an infinite or undefined factor.
inline double ScaleFactor(double wantedExtent, double range) {
  return range > 0.0 ? wantedExtent / range : 0.0;
}

// |max - min| of an array; max and min skip NaN values just as the ">="
// search of ScalePath does. Even and odd points are searched apart and then
// joined, which halves the chain of dependent comparisons.
inline double RangeOf(const LocusArray& values) {
  double evenMax = kPathSearchLow, oddMax = kPathSearchLow;
  double evenMin = kPathSearchHigh, oddMin = kPathSearchHigh;
  static_assert(kLocusPoints % 2 == 0, "points come in pairs");
  for (int i = 0; i < kLocusPoints; i += 2) {
    evenMax = std::max(evenMax, values[i]);
    oddMax = std::max(oddMax, values[i + 1]);
    evenMin = std::min(evenMin, values[i]);
    oddMin = std::min(oddMin, values[i + 1]);
  }
  return std::fabs(std::max(evenMax, oddMax) - std::min(evenMin, oddMin));
}

// The two neighbouring points a path position falls between.
struct Interval {
  int first;
  int second;
  double fraction;
};

// Brings a truncated path position into 0..9. Positions run up to 14 in the
// normal cycle; anything else (from a hostile phase) is wrapped the same way
// instead of indexing past the path.
inline int WrapLocusIndex(double truncated) {
  if (truncated >= 0.0 && truncated < 2.0 * kLocusPoints) {
    const int index = static_cast<int>(truncated);
    return index < kLocusPoints ? index : index - kLocusPoints;
  }
  if (!std::isfinite(truncated)) return 0;
  double wrapped = std::fmod(truncated, static_cast<double>(kLocusPoints));
  if (wrapped < 0.0) wrapped += kLocusPoints;
  return static_cast<int>(wrapped);
}

// A point number from 0 to 2 * kLocusPoints - 1 brought into 0..9.
inline int WrapOnce(int point) { return point >= kLocusPoints ? point - kLocusPoints : point; }

// trunc(v) as an int, for the positions of the normal cycle (0 up to 20).
inline bool SmallWhole(double v, int& whole) {
  if (!(v >= 0.0 && v < 2.0 * kLocusPoints)) return false;
  whole = static_cast<int>(v);
  return true;
}

// Forward path (minimum before maximum): position p runs 0 .. 3 during the
// first quarter, min .. max during the middle half, max .. 10 (and on up to
// 14 when the path has no swing) during the last quarter.
inline Interval ForwardInterval(const PathSplit& split, double u) {
  double p;
  if (u < 0.25) {
    p = split.stanceSpan * 0.5 * u * 4;
  } else if (u < 0.75) {
    p = (u - 0.25) * split.swingSpan * 2 + split.minIndex;
  } else {
    p = split.stanceSpan * 0.5 * (u - 0.75) * 4 + split.maxIndex;
  }
  int whole;
  if (SmallWhole(p, whole)) {
    const int first = WrapOnce(whole);
    return {first, WrapOnce(first + 1), p - whole};
  }
  const double truncated = std::trunc(p);
  const int first = WrapLocusIndex(truncated);
  return {first, (first + 1) % kLocusPoints, p - truncated};
}

// Mirrored path (a backward stroke): the position is counted from point 9
// down, which makes the foot jump back one interval at u = 0.25.
inline Interval MirroredInterval(const PathSplit& split, double u) {
  double q;
  if (u < 0.25) {
    q = 9 - (9 - split.stanceSpan * 0.5 * u * 4);
  } else if (u < 0.75) {
    q = 9 - (split.minIndex - (u - 0.25) * split.swingSpan * 2);
  } else {
    q = 9 - (split.maxIndex - split.stanceSpan * 0.5 * (u - 0.75) * 4);
  }
  int whole;
  if (SmallWhole(q, whole)) {
    const double k = whole + 1;
    const int first = WrapOnce(whole);
    return {first, WrapOnce(first + 1), q - k + 1};
  }
  const double k = std::trunc(q) + 1;
  return {WrapLocusIndex(k - 1), WrapLocusIndex(k), q - k + 1};
}

}  // namespace foot_path_detail

// Scales the source path so that the along-track values span twice the half
// stroke and the vertical values span stepHeight (a flat array is scaled by
// 0), both about zero, and finds where the scaled path turns. An index keeps
// its value from `previous` only if no point updates it (NaN paths).
inline PathTurns ScalePath(const LocusArray& sourceAlong, const LocusArray& sourceVertical,
                           LocusArray& targetAlong, LocusArray& targetVertical,
                           double alongHalfStroke, double stepHeight, PathTurns previous) {
  using namespace foot_path_detail;
  const double alongScale = ScaleFactor(2.0 * alongHalfStroke, RangeOf(sourceAlong));
  const double verticalScale = ScaleFactor(stepHeight, RangeOf(sourceVertical));
  double largest = kPathSearchLow;
  double smallest = kPathSearchHigh;
  PathTurns turns = previous;
  for (int i = 0; i < kLocusPoints; ++i) {
    const double along = sourceAlong[i] * alongScale;
    targetAlong[i] = along;
    targetVertical[i] = sourceVertical[i] * verticalScale;
    if (along >= largest) {  // ties: the last index wins
      largest = along;
      turns.maxIndex = i;
    }
    if (along <= smallest) {
      smallest = along;
      turns.minIndex = i;
    }
  }
  return turns;
}

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
inline PathSample SamplePath(const LocusArray& along, const LocusArray& vertical,
                             const PathSplit& split, double u) {
  using namespace foot_path_detail;
  const Interval i =
      split.minIndex <= split.maxIndex ? ForwardInterval(split, u) : MirroredInterval(split, u);
  return {along[i.first] + i.fraction * (along[i.second] - along[i.first]),
          vertical[i.first] + i.fraction * (vertical[i.second] - vertical[i.first])};
}

// Sideways sway with amplitude g: 0 at u = 0, -g at 0.25, +g at 0.75, 0 at 1.
inline double SwayAt(double u, double g) {
  if (u < 0.25) return u * (-g) * 4;
  if (u < 0.75) return (u - 0.25) * (g - (-g)) * 2 + (-g);
  return g - (u - 0.75) * g * 4;
}

}  // namespace trotix

#endif  // TROTIX_ENGINE_FOOTPATH_H_
