#include "PlainEngine.h"

#include <cmath>

#include "engine/JointCommandConversion.h"

namespace trotix {

// advanceGait as plainly described: every frame of every leg through
// computeLegFrame, with the turn angle from atan2, sin and cos.
void PlainAdvanceGait(WalkEngine& e) {
  const LocusSet* set = e.walkMode == 2   ? &e.locusSet2
                        : e.walkMode == 3 ? &e.locusSet3
                        : e.walkMode == 4 ? &e.locusSet4
                                          : nullptr;
  for (int leg = 0; leg < kLegCount; ++leg) {
    LegGaitParams& p = e.legs[leg];
    const double step = p.stepRate * 0.008;
    for (int frame = 0; frame < kFramesPerAdvance; ++frame) {
      p.phase += step;
      if (p.phase >= 1.0) p.phase = 0.0;
      if (set == nullptr) continue;
      const double along =
          leg < 2 ? p.halfStepLength + p.footOffsetX : -p.halfStepLength - p.footOffsetX;
      const double theta = std::atan2(along, (p.halfSideStepLength + p.footOffsetY) + 62.5);
      const double s = std::sin(theta), c = std::cos(theta);
      const double half[] = {
          p.halfStepLength + s * p.turnStroke, p.halfStepLength - s * p.turnStroke,
          p.halfStepLength + s * p.turnStroke, p.halfStepLength - s * p.turnStroke};
      const double g[] = {
          -p.halfSideStepLength - c * p.turnStroke, p.halfSideStepLength + c * p.turnStroke,
          c * p.turnStroke - p.halfSideStepLength, p.halfSideStepLength - c * p.turnStroke};
      const FootLocus& source = leg < 2 ? set->front : set->rear;
      FootLocus& target = e.scaledLocus[leg];
      e.computeLegFrame(leg, frame, p.phase, leg == 0 || leg == 3 ? 0.5 : 0.0, source.alongTrack,
                        source.vertical, target.alongTrack, target.vertical, half[leg],
                        p.stepHeight, g[leg], p.footOffsetX, p.footOffsetY, p.footOffsetZ);
    }
  }
}

// The solver as plainly written: cosines and sines of its angles and a
// separate atan2, with the reach clamp of ordinary targets.
LegAngles PlainSolve(const LegGeometry& g, double x, double y, double z) {
  double r2 = x * x + y * y + z * z;
  double s = 1.0;
  if (r2 < g.minReachSquared) s = g.minReach / std::sqrt(r2);
  if (r2 > g.maxReachSquared) s = g.maxReach / std::sqrt(r2);
  x *= s, y *= s, z *= s;
  r2 = x * x + y * y + z * z;
  const double knee = std::acos((r2 - g.kneeSum) * g.kneeFactor);
  const double reach = g.lowerLink * std::cos(knee) + g.upperLink;
  const double roll = std::asin(std::fabs(y) < reach ? y / reach : std::copysign(0.999, y));
  const double d = -(g.lowerLink * std::cos(roll) * std::cos(knee)) - g.upperLink * std::cos(roll);
  double pitch = std::atan(g.lowerLink * std::sin(knee) / d) + std::atan2(x, z) - g.pitchOffset;
  while (pitch > 3.141592) pitch -= 6.283184;
  while (pitch <= -3.141592) pitch += 6.283184;
  return {roll, pitch, knee + g.kneeOffset};
}

void PlainTick(WalkEngine& e) {
  PlainAdvanceGait(e);
  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& t = e.frameTargets[0][leg];
    const LegAngles a = leg < 2 ? PlainSolve(kFrontLegGeometry, t[0], t[1], t[2])
                                : PlainSolve(kRearLegGeometry, -t[0], t[1], t[2]);
    const double angles[3] = {a.pitch, a.roll, a.knee};
    for (int j = 0; j < 3; ++j) {
      e.jointCommands[3 * leg + j] = RadiansToJointCommand(angles[j]);
      e.jointAngles[3 * leg + j] = angles[j];
    }
  }
}

}  // namespace trotix
