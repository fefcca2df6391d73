#include "gaitlab/run/GaitVariants.h"

#include <array>
#include <cmath>

#include "gaitlab/run/RollFirstSolver.h"
#include "trotix/JointCommandConversion.h"
#include "trotix/LegGeometry.h"

namespace trotix {
namespace {

// Solves frame 0's targets again and publishes the angles and commands, as
// the tick does: by the engine's solvers, or exactly for a roll-first leg.
void PublishFrameZero(WalkEngine& e, bool exactRollFirst) {
  for (int leg = 0; leg < kLegCount; ++leg) {
    const std::array<double, 3>& t = e.frameTargets[0][leg];
    LegAngles a{};
    if (exactRollFirst) {
      a = SolveRollFirstLeg(e.geometry.leg(leg), AlongTrackSign(leg) * t[0], t[1], t[2]);
    } else if (IsFrontLeg(leg)) {
      e.solveFrontLeg(t[0], t[1], t[2], a.roll, a.pitch, a.knee, e.pitchHeightA, e.pitchHeightB);
    } else {
      e.solveRearLeg(t[0], t[1], t[2], a.roll, a.pitch, a.knee, e.pitchHeightA, e.pitchHeightB);
    }
    const double angles[3] = {a.pitch, a.roll, a.knee};
    for (int k = 0; k < 3; ++k) {
      e.jointAngles[3 * leg + k] = angles[k];
      e.setJointCommand(RadiansToJointCommand(angles[k]), 3 * leg + k);
    }
  }
}

// The rigid turn: the engine's tick with the turn stroke taken out of every
// leg's along-track and sideways stroke, then each foot of frame 0 turned
// about the trunk's centre by an angle that follows its path:
//     alpha = (turnStroke / |S|) A(u) / A_half,
// A(u) / A_half being the path's along-track sample over its half range,
// which the engine's scaled sample gives as (x - footOffsetX) / halfStepLength.
// A pair's two feet then turn together, and no stance foot drags the other.
void RigidTurnTick(WalkEngine& e, LateralAxis lateralAxis) {
  std::array<double, kLegCount> turnStroke{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    turnStroke[leg] = e.legs[leg].turnStroke;
    e.legs[leg].turnStroke = 0.0;
  }
  e.tick();
  for (int leg = 0; leg < kLegCount; ++leg) {
    LegGaitParams& p = e.legs[leg];
    p.turnStroke = turnStroke[leg];
    const Vector3 s = ShoulderPosition(e.geometry, leg);
    const double radius = std::hypot(s.x, s.y);
    std::array<double, 3>& t = e.frameTargets[0][leg];
    const double path = p.halfStepLength != 0.0 ? (t[0] - p.footOffsetX) / p.halfStepLength : 0.0;
    const double alpha = p.turnStroke / radius * path;
    t[0] += (std::cos(alpha) - 1.0) * s.x - std::sin(alpha) * s.y;
    t[1] += LateralSign(lateralAxis, leg) * (std::sin(alpha) * s.x + (std::cos(alpha) - 1.0) * s.y);
  }
}

}  // namespace

void TickWithVariants(WalkEngine& engine, const GaitVariants& variants, LateralAxis lateralAxis) {
  if (variants.turn == TurnVariant::kRigid) {
    RigidTurnTick(engine, lateralAxis);
  } else {
    engine.tick();
  }
  if (variants.any()) PublishFrameZero(engine, variants.roll == RollVariant::kExactRollFirst);
}

}  // namespace trotix
