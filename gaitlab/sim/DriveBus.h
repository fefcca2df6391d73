// The bus trotix-drive drives: the simulated robot for "sim", any other
// URI as the bus layer opens it.
#ifndef TROTIX_GAITLAB_SIM_DRIVEBUS_H_
#define TROTIX_GAITLAB_SIM_DRIVEBUS_H_

#include <memory>
#include <string>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

constexpr char kSimBusUri[] = "sim";

// As OpenServoBus, and "sim" for the physics model (OpenSimBus).
std::unique_ptr<ServoBus> OpenDriveBus(const std::string& uri, const GaitSettings& gait,
                                       const PhysicsParameters& physics);

// The forms --help lists: the bus layer's and "sim".
std::string DriveBusForms();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SIM_DRIVEBUS_H_
