// sim: the robot model of the physics check as the bus, at real time. Each
// frame's angles become the model's servo targets and the model steps one
// tick period; read() returns the model's joint positions and its trunk.
// Opening stands the model on the floor in the rest pose (every joint at
// its zero, its centre pulse) and lets it settle, so the soft start begins
// where the model stands. With the torque off the model is no longer
// stepped: it stays as it was.
#ifndef TROTIX_GAITLAB_SIM_SIMBUS_H_
#define TROTIX_GAITLAB_SIM_SIMBUS_H_

#include <memory>
#include <string>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// How long the model stands in the rest pose before the bus is handed out.
constexpr double kSimSettleSeconds = 1.0;

// Throws InputError in a build without MuJoCo.
std::unique_ptr<ServoBus> OpenSimBus(const GaitSettings& gait, const PhysicsParameters& physics);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SIM_SIMBUS_H_
