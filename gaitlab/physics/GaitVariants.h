// The opt-in gait variants (PhysicsParameters.h) as a replacement for the
// engine's tick, built from the engine's own steps. With no variant chosen
// there is none, and the engine ticks as it always does.
#ifndef TROTIX_GAITLAB_GAITVARIANTS_H_
#define TROTIX_GAITLAB_GAITVARIANTS_H_

#include <functional>

#include "gaitlab/physics/PhysicsParameters.h"
#include "trotix/WalkEngine.h"

namespace trotix {

// Empty when the parameters choose no variant. The lateral axis says which
// way a rigid turn's sideways shift points in each leg's targets.
std::function<void(WalkEngine&)> VariantTick(const PhysicsParameters& parameters);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITVARIANTS_H_
