// The trot's gait cycle: phase stepping, foot-path scaling and sampling, and
// the foot targets of every frame.
//
// Each leg walks its ten-point foot path once per cycle. The path is split at
// its back-most (locusMinIndex) and front-most (locusMaxIndex) points into a
// swing, travelled during the middle half of the cycle, and a stance,
// travelled during the outer quarters. Legs 0 and 3 run half a cycle ahead of
// legs 1 and 2. A sideways sway follows a triangle over the cycle.
#include <algorithm>
#include <array>
#include <cmath>

#include "engine/WalkEngine.h"

namespace trotix {
namespace {

constexpr double kPhaseFactor = 0.008;
constexpr double kLateralBase = 62.5;  // mm, enters each leg's turn angle
constexpr double kSearchLow = -1000.0;
constexpr double kSearchHigh = 1000.0;
constexpr double kFirstBoundary = 0.25;
constexpr double kSecondBoundary = 0.75;

using LocusArray = std::array<double, kLocusPoints>;

const LocusSet* SelectLocusSet(const WalkEngine& engine) {
  switch (engine.walkMode) {
    case 2:
      return &engine.locusSet2;
    case 3:
      return &engine.locusSet3;
    case 4:
      return &engine.locusSet4;
    default:
      return nullptr;
  }
}

// A path whose values are all equal has no extent to scale; it is scaled by
// 0 rather than by an infinite or undefined factor.
double ScaleFactor(double wantedExtent, double range) {
  return range > 0.0 ? wantedExtent / range : 0.0;
}

struct LocusRanges {
  double along;
  double vertical;
};

// The ranges |max - min| of both arrays of a path, from searches that start
// at -1000 and 1000. The four searches run side by side in one pass.
LocusRanges RangesOf(const LocusArray& along, const LocusArray& vertical) {
  double alongMax = kSearchLow, alongMin = kSearchHigh;
  double verticalMax = kSearchLow, verticalMin = kSearchHigh;
  for (int i = 0; i < kLocusPoints; ++i) {
    if (along[i] >= alongMax) alongMax = along[i];
    if (along[i] <= alongMin) alongMin = along[i];
    if (vertical[i] >= verticalMax) verticalMax = vertical[i];
    if (vertical[i] <= verticalMin) verticalMin = vertical[i];
  }
  return {std::fabs(alongMax - alongMin), std::fabs(verticalMax - verticalMin)};
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

// One phase step; a phase reaching 1.0 restarts at exactly 0.0.
double NextPhase(double phase, double step) {
  const double next = phase + step;
  return next >= 1.0 ? 0.0 : next;
}

// Folds a cycle position in [0, 1.5) back into [0, 1).
double CycleFraction(double cyclePosition) {
  return cyclePosition >= 1.0 ? cyclePosition - 1.0 : cyclePosition;
}

struct LegStroke {
  double alongHalfStroke;
  double sideAmplitude;
  double phaseOffset;
};

// Splits the turn stroke by the leg's turn angle (sine s, cosine c) into an
// along-track and a sideways part, with the trot's phase offset.
LegStroke StrokeOfLeg(int leg, const LegGaitParams& p, double s, double c) {
  switch (leg) {
    case 0:
      return {p.halfStepLength + s * p.turnStroke, -p.halfSideStepLength - c * p.turnStroke, 0.5};
    case 1:
      return {p.halfStepLength - s * p.turnStroke, p.halfSideStepLength + c * p.turnStroke, 0.0};
    case 2:
      return {p.halfStepLength + s * p.turnStroke, c * p.turnStroke - p.halfSideStepLength, 0.0};
    default:
      return {p.halfStepLength - s * p.turnStroke, p.halfSideStepLength - c * p.turnStroke, 0.5};
  }
}

// Sine and cosine of the angle of the leg's foot position seen from the
// body's turning centre, atan2(y, x), taken as y / r and x / r; the
// trigonometric route is kept for the degenerate and non-finite cases.
void TurnAngle(int leg, const LegGaitParams& p, double& sine, double& cosine) {
  const double x = (p.halfSideStepLength + p.footOffsetY) + kLateralBase;
  const double y = leg < 2 ? p.halfStepLength + p.footOffsetX : -p.halfStepLength - p.footOffsetX;
  const double r2 = x * x + y * y;
  if (std::isnormal(r2)) {
    const double r = std::sqrt(r2);
    sine = y / r;
    cosine = x / r;
    return;
  }
  const double theta = std::atan2(y, x);
  sine = std::sin(theta);
  cosine = std::cos(theta);
}

// scaleLocus for a path whose ranges are already known.
void ScaleWithRanges(WalkEngine& engine, const LocusArray& sourceAlong,
                     const LocusArray& sourceVertical, LocusArray& targetAlong,
                     LocusArray& targetVertical, double alongHalfStroke, double stepHeight,
                     const LocusRanges& ranges) {
  const double alongScale = ScaleFactor(2.0 * alongHalfStroke, ranges.along);
  const double verticalScale = ScaleFactor(stepHeight, ranges.vertical);

  // Locals, not the fields: the target arrays may be fields of this engine,
  // and writing through them would force every update back to memory.
  double largest = kSearchLow;
  double smallest = kSearchHigh;
  int maxIndex = engine.locusMaxIndex;
  int minIndex = engine.locusMinIndex;
  for (int i = 0; i < kLocusPoints; ++i) {
    const double along = sourceAlong[i] * alongScale;
    const double vertical = sourceVertical[i] * verticalScale;
    targetAlong[i] = along;
    targetVertical[i] = vertical;
    if (along >= largest) {
      largest = along;
      maxIndex = i;
    }
    if (along <= smallest) {
      smallest = along;
      minIndex = i;
    }
  }
  engine.locusMaxIndex = maxIndex;
  engine.locusMinIndex = minIndex;
  // The points strictly after the lower index up to the higher one form the
  // swing, the rest the stance.
  const int lo = std::min(minIndex, maxIndex);
  const int hi = std::max(minIndex, maxIndex);
  engine.swingSpan = hi - lo;
  engine.stanceSpan = kLocusPoints - engine.swingSpan;
}

}  // namespace

// Per leg, everything but the phase is the same in all four frames: the turn
// angle and the scaled path are worked out once and each frame only samples
// the path. This is exactly what calling computeLegFrame for every frame
// gives (scaling the same path again rewrites the same values), at a
// fraction of the cost.
void WalkEngine::advanceGait() {
  const LocusSet* set = SelectLocusSet(*this);
  LocusRanges frontRanges{}, rearRanges{};
  if (set != nullptr) {
    frontRanges = RangesOf(set->front.alongTrack, set->front.vertical);
    rearRanges = RangesOf(set->rear.alongTrack, set->rear.vertical);
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    LegGaitParams& p = legs[leg];
    const double step = p.stepRate * kPhaseFactor;
    if (set == nullptr) {
      for (int frame = 0; frame < kFramesPerAdvance; ++frame) p.phase = NextPhase(p.phase, step);
      continue;
    }
    double sine, cosine;
    TurnAngle(leg, p, sine, cosine);
    const LegStroke stroke = StrokeOfLeg(leg, p, sine, cosine);
    const FootLocus& source = leg < 2 ? set->front : set->rear;
    FootLocus& target = scaledLocus[leg];
    ScaleWithRanges(*this, source.alongTrack, source.vertical, target.alongTrack, target.vertical,
                    stroke.alongHalfStroke, p.stepHeight, leg < 2 ? frontRanges : rearRanges);
    for (int frame = 0; frame < kFramesPerAdvance; ++frame) {
      p.phase = NextPhase(p.phase, step);
      const double cyclePosition = p.phase + stroke.phaseOffset;
      sampleLocus(target.alongTrack, target.vertical, cyclePosition);
      writeFrameTarget(leg, frame, cyclePosition, stroke.sideAmplitude, p.footOffsetX,
                       p.footOffsetY, p.footOffsetZ);
    }
  }
}

void WalkEngine::computeLegFrame(int leg, int frame, double phase, double phaseOffset,
                                 const LocusArray& sourceAlong, const LocusArray& sourceVertical,
                                 LocusArray& targetAlong, LocusArray& targetVertical,
                                 double alongHalfStroke, double stepHeight, double sideAmplitude,
                                 double offsetX, double offsetY, double offsetZ) {
  scaleLocus(sourceAlong, sourceVertical, targetAlong, targetVertical, alongHalfStroke, stepHeight);
  const double cyclePosition = phase + phaseOffset;
  sampleLocus(targetAlong, targetVertical, cyclePosition);
  writeFrameTarget(leg, frame, cyclePosition, sideAmplitude, offsetX, offsetY, offsetZ);
}

void WalkEngine::scaleLocus(const LocusArray& sourceAlong, const LocusArray& sourceVertical,
                            LocusArray& targetAlong, LocusArray& targetVertical,
                            double alongHalfStroke, double stepHeight) {
  ScaleWithRanges(*this, sourceAlong, sourceVertical, targetAlong, targetVertical, alongHalfStroke,
                  stepHeight, RangesOf(sourceAlong, sourceVertical));
}

// Maps the cycle position to a position along the path and interpolates
// between its two neighbouring points. When the path is mirrored (the
// minimum after the maximum, a backward stroke) the position is counted from
// the other end, which makes the foot jump back one interval at u = 0.25.
void WalkEngine::sampleLocus(const LocusArray& targetAlong, const LocusArray& targetVertical,
                             double cyclePosition) {
  const double u = CycleFraction(cyclePosition);
  const double stance = stanceSpan;
  const double swing = swingSpan;
  const double lowIndex = locusMinIndex;
  const double highIndex = locusMaxIndex;
  int k0 = 0;
  int k1 = 0;
  double t = 0.0;
  if (locusMinIndex <= locusMaxIndex) {
    double p;
    if (u < kFirstBoundary) {
      p = stance * 0.5 * u * 4;
    } else if (u < kSecondBoundary) {
      p = (u - 0.25) * swing * 2 + lowIndex;
    } else {
      p = stance * 0.5 * (u - 0.75) * 4 + highIndex;
    }
    const double whole = std::trunc(p);
    t = p - whole;
    k0 = WrapLocusIndex(whole);
    k1 = k0 + 1 == kLocusPoints ? 0 : k0 + 1;
  } else {
    double q;
    if (u < kFirstBoundary) {
      q = 9 - (9 - stance * 0.5 * u * 4);
    } else if (u < kSecondBoundary) {
      q = 9 - (lowIndex - (u - 0.25) * swing * 2);
    } else {
      q = 9 - (highIndex - stance * 0.5 * (u - 0.75) * 4);
    }
    const double k = std::trunc(q) + 1;
    t = q - k + 1;
    k1 = WrapLocusIndex(k);
    k0 = WrapLocusIndex(k - 1);
  }
  locusSampleX = targetAlong[k0] + t * (targetAlong[k1] - targetAlong[k0]);
  locusSampleZ = targetVertical[k0] + t * (targetVertical[k1] - targetVertical[k0]);
}

// The sideways sway is a triangle over the cycle: 0 at u = 0, -g at 0.25,
// +g at 0.75 and 0 again at 1.
void WalkEngine::writeFrameTarget(int leg, int frame, double cyclePosition, double sideAmplitude,
                                  double offsetX, double offsetY, double offsetZ) {
  if (leg < 0 || leg >= kLegCount || frame < 0 || frame >= kFramesPerAdvance) return;
  const double u = CycleFraction(cyclePosition);
  const double g = sideAmplitude;
  double sway;
  if (u < kFirstBoundary) {
    sway = u * (-g) * 4;
  } else if (u < kSecondBoundary) {
    sway = (u - 0.25) * (g - (-g)) * 2 + (-g);
  } else {
    sway = g - (u - 0.75) * g * 4;
  }
  frameTargets[frame][leg] = {locusSampleX + offsetX, sway + offsetY, locusSampleZ + offsetZ};
}

}  // namespace trotix
