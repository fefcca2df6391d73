// The trot's gait cycle: phase stepping, foot-path scaling and sampling, and
// the foot targets of every frame.
//
// Each leg walks its ten-point foot path once per cycle. The path is split at
// its back-most (locusMinIndex) and front-most (locusMaxIndex) points into a
// swing, travelled during the middle half of the cycle, and a stance,
// travelled during the outer quarters. Legs 0 and 3 run half a cycle ahead of
// legs 1 and 2. A sideways sway follows a triangle over the cycle.
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

double LargestOf(const LocusArray& values) {
  double largest = kSearchLow;
  for (double v : values) {
    if (v >= largest) largest = v;
  }
  return largest;
}

double SmallestOf(const LocusArray& values) {
  double smallest = kSearchHigh;
  for (double v : values) {
    if (v <= smallest) smallest = v;
  }
  return smallest;
}

// Brings a truncated path position into 0..9. Positions run up to 14 in the
// normal cycle; anything else (from a hostile phase) is wrapped the same way
// instead of indexing past the path.
int WrapLocusIndex(double truncated) {
  if (!std::isfinite(truncated)) return 0;
  double wrapped = std::fmod(truncated, static_cast<double>(kLocusPoints));
  if (wrapped < 0.0) wrapped += kLocusPoints;
  return static_cast<int>(wrapped);
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

// The angle of the leg's foot position seen from the body's turning centre.
double TurnAngle(int leg, const LegGaitParams& p) {
  const double x = (p.halfSideStepLength + p.footOffsetY) + kLateralBase;
  const double y = leg < 2 ? p.halfStepLength + p.footOffsetX : -p.halfStepLength - p.footOffsetX;
  return std::atan2(y, x);
}

}  // namespace

void WalkEngine::advanceGait() {
  const LocusSet* set = SelectLocusSet(*this);
  for (int leg = 0; leg < kLegCount; ++leg) {
    LegGaitParams& p = legs[leg];
    const double step = p.stepRate * kPhaseFactor;
    for (int frame = 0; frame < kFramesPerAdvance; ++frame) {
      p.phase += step;
      if (p.phase >= 1.0) p.phase = 0.0;
      if (set == nullptr) continue;
      const double theta = TurnAngle(leg, p);
      const LegStroke stroke = StrokeOfLeg(leg, p, std::sin(theta), std::cos(theta));
      const FootLocus& source = leg < 2 ? set->front : set->rear;
      FootLocus& target = scaledLocus[leg];
      computeLegFrame(leg, frame, p.phase, stroke.phaseOffset, source.alongTrack, source.vertical,
                      target.alongTrack, target.vertical, stroke.alongHalfStroke, p.stepHeight,
                      stroke.sideAmplitude, p.footOffsetX, p.footOffsetY, p.footOffsetZ);
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
  const double alongScale = ScaleFactor(
      2.0 * alongHalfStroke, std::fabs(LargestOf(sourceAlong) - SmallestOf(sourceAlong)));
  const double verticalScale =
      ScaleFactor(stepHeight, std::fabs(LargestOf(sourceVertical) - SmallestOf(sourceVertical)));

  double largest = kSearchLow;
  double smallest = kSearchHigh;
  for (int i = 0; i < kLocusPoints; ++i) {
    targetAlong[i] = sourceAlong[i] * alongScale;
    targetVertical[i] = sourceVertical[i] * verticalScale;
    if (targetAlong[i] >= largest) {
      largest = targetAlong[i];
      locusMaxIndex = i;
    }
    if (targetAlong[i] <= smallest) {
      smallest = targetAlong[i];
      locusMinIndex = i;
    }
  }
  // Points strictly after the lower index up to the higher one form the swing.
  const int lo = locusMinIndex < locusMaxIndex ? locusMinIndex : locusMaxIndex;
  const int hi = locusMinIndex < locusMaxIndex ? locusMaxIndex : locusMinIndex;
  swingSpan = 0.0;
  stanceSpan = 0.0;
  for (int i = 0; i < kLocusPoints; ++i) {
    if (lo < i && i <= hi) {
      swingSpan += 1.0;
    } else {
      stanceSpan += 1.0;
    }
  }
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
