#include "gaitlab/physics/GaitVariants.h"

#include "engine/JointCommandConversion.h"
#include "gaitlab/physics/JointMapping.h"
#include "gaitlab/physics/RollFirstSolver.h"

namespace trotix {

void ApplyGaitVariants(const GaitVariants& variants, TickRecord& record) {
  if (variants.roll != RollVariant::kExactRollFirst) return;
  for (int leg = 0; leg < kLegCount; ++leg) {
    const std::array<double, 3>& t = record.targets[leg];
    const LegAngles a =
        SolveRollFirstLeg(LegGeometryOf(leg), AlongTrackSign(leg) * t[0], t[1], t[2]);
    record.angles[3 * leg] = a.pitch;
    record.angles[3 * leg + 1] = a.roll;
    record.angles[3 * leg + 2] = a.knee;
  }
  for (int joint = 0; joint < kJointCount; ++joint) {
    record.commands[joint] = RadiansToJointCommand(record.angles[joint]);
  }
}

}  // namespace trotix
