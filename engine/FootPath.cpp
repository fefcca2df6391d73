#include "engine/FootPath.h"

#include <algorithm>
#include <cmath>

namespace trotix {
namespace {

// Every search starts here, so values beyond +-1000 mm are still found.
constexpr double kSearchLow = -1000.0;
constexpr double kSearchHigh = 1000.0;

// A path whose values are all equal has no extent to scale; it is scaled by
// 0 rather than by an infinite or undefined factor.
double ScaleFactor(double wantedExtent, double range) {
  return range > 0.0 ? wantedExtent / range : 0.0;
}

// Brings a truncated path position into 0..9. Positions run up to 14 in the
// normal cycle; anything else (from a hostile phase) is wrapped the same way
// instead of indexing past the path.
int WrapLocusIndex(double truncated) {
  if (truncated >= 0.0 && truncated < 2.0 * kLocusPoints) {
    const int index = static_cast<int>(truncated);
    return index < kLocusPoints ? index : index - kLocusPoints;
  }
  if (!std::isfinite(truncated)) return 0;
  double wrapped = std::fmod(truncated, static_cast<double>(kLocusPoints));
  if (wrapped < 0.0) wrapped += kLocusPoints;
  return static_cast<int>(wrapped);
}

struct Interval {
  int first;
  int second;
  double fraction;
};

// A point number from 0 to 2 * kLocusPoints - 1 brought into 0..9.
int WrapOnce(int point) { return point >= kLocusPoints ? point - kLocusPoints : point; }

// trunc(v) as an int, for the positions of the normal cycle (0 up to 20).
bool SmallWhole(double v, int& whole) {
  if (!(v >= 0.0 && v < 2.0 * kLocusPoints)) return false;
  whole = static_cast<int>(v);
  return true;
}

// Forward path (minimum before maximum): position p runs 0 .. 3 during the
// first quarter, min .. max during the middle half, max .. 10 (and on up to
// 14 when the path has no swing) during the last quarter.
Interval ForwardInterval(const PathSplit& split, double u) {
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
Interval MirroredInterval(const PathSplit& split, double u) {
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

// Kept inline so that the four frames of a leg are sampled in one loop.
inline PathSample SampleAt(const LocusArray& along, const LocusArray& vertical,
                           const PathSplit& split, double u) {
  const Interval i =
      split.minIndex <= split.maxIndex ? ForwardInterval(split, u) : MirroredInterval(split, u);
  return {along[i.first] + i.fraction * (along[i.second] - along[i.first]),
          vertical[i.first] + i.fraction * (vertical[i.second] - vertical[i.first])};
}

}  // namespace

LocusRanges RangesOf(const LocusArray& along, const LocusArray& vertical) {
  // max and min skip NaN values just as the ">=" search does.
  double alongMax = kSearchLow, alongMin = kSearchHigh;
  double verticalMax = kSearchLow, verticalMin = kSearchHigh;
  for (int i = 0; i < kLocusPoints; ++i) {
    alongMax = std::max(alongMax, along[i]);
    alongMin = std::min(alongMin, along[i]);
    verticalMax = std::max(verticalMax, vertical[i]);
    verticalMin = std::min(verticalMin, vertical[i]);
  }
  return {std::fabs(alongMax - alongMin), std::fabs(verticalMax - verticalMin)};
}

PathTurns ScalePath(const LocusArray& sourceAlong, const LocusArray& sourceVertical,
                    LocusArray& targetAlong, LocusArray& targetVertical, double alongHalfStroke,
                    double stepHeight, const LocusRanges& ranges, PathTurns previous) {
  const double alongScale = ScaleFactor(2.0 * alongHalfStroke, ranges.along);
  const double verticalScale = ScaleFactor(stepHeight, ranges.vertical);
  double largest = kSearchLow;
  double smallest = kSearchHigh;
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

PathSample SamplePath(const LocusArray& along, const LocusArray& vertical, const PathSplit& split,
                      double u) {
  return SampleAt(along, vertical, split, u);
}

FrameSamples SamplePathAtFrames(const LocusArray& along, const LocusArray& vertical,
                                const PathSplit& split, const FrameFractions& u) {
  FrameSamples samples;
  for (int frame = 0; frame < kFramesPerAdvance; ++frame) {
    samples[frame] = SampleAt(along, vertical, split, u[frame]);
  }
  return samples;
}

}  // namespace trotix
