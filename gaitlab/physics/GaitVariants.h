// The opt-in gait variants (PhysicsParameters.h) applied to a tick's
// record: its angles and commands are replaced by the variant's, from the
// engine's own foot targets. With no variant chosen the record is untouched.
#ifndef TROTIX_GAITLAB_GAITVARIANTS_H_
#define TROTIX_GAITLAB_GAITVARIANTS_H_

#include "gaitlab/gait/TickRecord.h"
#include "gaitlab/physics/PhysicsParameters.h"

namespace trotix {

void ApplyGaitVariants(const GaitVariants& variants, TickRecord& record);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITVARIANTS_H_
