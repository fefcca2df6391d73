// The trot's gait cycle: phase stepping, the turn split of every leg's
// stroke, and the foot targets of every frame.
//
// Each leg walks its ten-point foot path once per cycle (FootPath.h): the
// swing during the middle half of the cycle, the stance during the outer
// quarters. Legs 0 and 3 run half a cycle ahead of legs 1 and 2. The turn
// stroke is split between the along-track and the sideways direction by the
// angle of the leg's foot position seen from the body's turning centre.
#include <cmath>

#include "engine/FootPath.h"
#include "engine/LegSolver.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

constexpr double kPhaseFactor = 0.008;

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

// One phase step; a phase reaching 1.0 restarts at exactly 0.0.
double NextPhase(double phase, double step) {
  const double next = phase + step;
  return next >= 1.0 ? 0.0 : next;
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

// Sine and cosine of the leg's turn angle atan2(y, x), taken as y / r and
// x / r; the trigonometric route is kept for the degenerate and non-finite
// cases. The last result is remembered: the two front legs (and the two rear
// legs) usually ask for the same angle.
//
// y / r can differ from sin(atan2(y, x)) in the last bit. Over every pair of
// slider positions the joint commands are identical either way; but a stroke
// that the turn term cancels to exactly 0 with one can come out as about
// 1e-15 with the other, and the sign of the stroke picks the direction in
// which the path is sampled. Only gait fields set outside the slider ranges
// can reach that case.
class TurnAngles {
 public:
  explicit TurnAngles(double lateralBase) : lateralBase_(lateralBase) {}

  void of(int leg, const LegGaitParams& p, double& sine, double& cosine) {
    const double x = (p.halfSideStepLength + p.footOffsetY) + lateralBase_;
    const double y =
        IsFrontLeg(leg) ? p.halfStepLength + p.footOffsetX : -p.halfStepLength - p.footOffsetX;
    if (!(known_ && Same(x, x_) && Same(y, y_))) Compute(x, y);
    sine = sine_;
    cosine = cosine_;
  }

 private:
  // Equal including the sign of zero, which the sine and cosine carry.
  static bool Same(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

  void Compute(double x, double y) {
    known_ = true;
    x_ = x;
    y_ = y;
    const double r2 = x * x + y * y;
    if (std::isnormal(r2)) {
      const double r = std::sqrt(r2);
      sine_ = y / r;
      cosine_ = x / r;
      return;
    }
    const double theta = std::atan2(y, x);
    sine_ = std::sin(theta);
    cosine_ = std::cos(theta);
  }

  double lateralBase_;
  bool known_ = false;
  double x_ = 0.0, y_ = 0.0, sine_ = 0.0, cosine_ = 1.0;
};

PathSplit SplitOf(const WalkEngine& e) {
  return {e.locusMinIndex, e.locusMaxIndex, e.swingSpan, e.stanceSpan};
}

PathTurns TurnsOf(const WalkEngine& e) { return {e.locusMinIndex, e.locusMaxIndex}; }

void StoreSplit(WalkEngine& e, const PathSplit& split) {
  e.locusMinIndex = split.minIndex;
  e.locusMaxIndex = split.maxIndex;
  e.swingSpan = split.swingSpan;
  e.stanceSpan = split.stanceSpan;
}

}  // namespace

// advanceGait is computeLegFrame for every frame of every leg, with what
// stays the same across a leg's four frames taken once per leg: the turn
// angle, the strokes and the scaled path (scaling the same path again would
// rewrite the same values). Each frame then samples the path and writes its
// target, exactly as the rest of computeLegFrame does. Flattened, the
// sixteen frames run without calls, with the step operations inlined.
[[gnu::flatten]] void WalkEngine::advanceGait() {
  const LocusSet* set = SelectLocusSet(*this);
  TurnAngles turnAngles(geometry.shoulderY);
  for (int leg = 0; leg < kLegCount; ++leg) {
    LegGaitParams& p = legs[leg];
    const double step = p.stepRate * kPhaseFactor;
    if (set == nullptr) {
      for (int frame = 0; frame < kFramesPerAdvance; ++frame) p.phase = NextPhase(p.phase, step);
      continue;
    }
    double sine, cosine;
    turnAngles.of(leg, p, sine, cosine);
    const LegStroke stroke = StrokeOfLeg(leg, p, sine, cosine);
    const FootLocus& source = IsFrontLeg(leg) ? set->front : set->rear;
    FootLocus& target = scaledLocus[leg];
    scaleLocus(source.alongTrack, source.vertical, target.alongTrack, target.vertical,
               stroke.alongHalfStroke, p.stepHeight);
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
  const PathTurns turns = ScalePath(sourceAlong, sourceVertical, targetAlong, targetVertical,
                                    alongHalfStroke, stepHeight, TurnsOf(*this));
  StoreSplit(*this, SplitAt(turns));
}

void WalkEngine::sampleLocus(const LocusArray& targetAlong, const LocusArray& targetVertical,
                             double cyclePosition) {
  const PathSample sample =
      SamplePath(targetAlong, targetVertical, SplitOf(*this), CycleFraction(cyclePosition));
  locusSampleX = sample.along;
  locusSampleZ = sample.vertical;
}

// A leg or frame outside the table is ignored rather than written past it.
void WalkEngine::writeFrameTarget(int leg, int frame, double cyclePosition, double sideAmplitude,
                                  double offsetX, double offsetY, double offsetZ) {
  if (leg < 0 || leg >= kLegCount || frame < 0 || frame >= kFramesPerAdvance) return;
  const double sway = SwayAt(CycleFraction(cyclePosition), sideAmplitude);
  frameTargets[frame][leg] = {locusSampleX + offsetX, sway + offsetY, locusSampleZ + offsetZ};
}

}  // namespace trotix
