#include "gaitlab/sim/DriveBus.h"

#include "gaitlab/bus/OpenServoBus.h"
#include "gaitlab/sim/SimBus.h"

namespace trotix {

std::unique_ptr<ServoBus> OpenDriveBus(const std::string& uri, const GaitSettings& gait,
                                       const PhysicsParameters& physics) {
  if (uri == kSimBusUri) return OpenSimBus(gait, physics);
  return OpenServoBus(uri, gait);
}

std::string DriveBusForms() { return BusForms() + ", " + kSimBusUri; }

}  // namespace trotix
