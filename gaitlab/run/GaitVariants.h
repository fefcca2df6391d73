// Opt-in changes to the engine's tick, which a gait file chooses in its
// `variants` section, and the robot's reading of a foot target's y, which
// the rigid turn needs. With no variant chosen the engine ticks as it
// always does.
#ifndef TROTIX_GAITLAB_RUN_GAITVARIANTS_H_
#define TROTIX_GAITLAB_RUN_GAITVARIANTS_H_

#include "trotix/LegGeometry.h"
#include "trotix/WalkEngine.h"

namespace trotix {

// rigid: the turn as a rotation of the feet about the trunk's centre.
// exact_roll_first: each leg's angles solved exactly for a roll-first leg
// (RollFirstSolver.h).
enum class TurnVariant { kSpecified, kRigid };
enum class RollVariant { kSolver, kExactRollFirst };

struct GaitVariants {
  TurnVariant turn = TurnVariant::kSpecified;
  RollVariant roll = RollVariant::kSolver;

  bool operator==(const GaitVariants& o) const { return turn == o.turn && roll == o.roll; }
  bool any() const { return !(*this == GaitVariants{}); }
};

// Which way a foot target's +y points. Outward: away from the trunk on each
// side (the roll servos mounted mirror-image). Shared: to the robot's left
// on every leg.
enum class LateralAxis { kOutward, kShared };

// +1 where a leg's foot-target y points to the robot's left, -1 where it
// points to its right (the right legs, 0 and 2, when the axis is outward).
inline double LateralSign(LateralAxis axis, int leg) {
  return axis == LateralAxis::kOutward && leg % 2 == 0 ? -1.0 : 1.0;
}

// +1 for the front legs, -1 for the rear legs, whose solver negates x.
inline double AlongTrackSign(int leg) { return IsFrontLeg(leg) ? 1.0 : -1.0; }

// One tick of `engine` with the variants, built from the engine's own
// steps; the lateral axis says which way a rigid turn's sideways shift
// points in each leg's targets. With no variant, the engine's own tick.
void TickWithVariants(WalkEngine& engine, const GaitVariants& variants, LateralAxis lateralAxis);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUN_GAITVARIANTS_H_
