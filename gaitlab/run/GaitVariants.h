// Opt-in changes to the engine's tick, which a gait file chooses in its
// `variants` section. With no variant chosen the engine ticks as it always
// does.
#ifndef TROTIX_GAITLAB_RUN_GAITVARIANTS_H_
#define TROTIX_GAITLAB_RUN_GAITVARIANTS_H_

#include "gaitlab/robot/RobotDescription.h"  // LateralAxis
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

// One tick of `engine` with the variants, built from the engine's own
// steps; the lateral axis says which way a rigid turn's sideways shift
// points in each leg's targets. With no variant, the engine's own tick.
void TickWithVariants(WalkEngine& engine, const GaitVariants& variants, LateralAxis lateralAxis);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUN_GAITVARIANTS_H_
