// What trotix-gait's physics options ask of MuJoCo. A build without MuJoCo
// links a version of these that refuses in one line (PhysicsUnavailable.cpp).
#ifndef TROTIX_TOOLS_PHYSICS_PHYSICSCHECK_H_
#define TROTIX_TOOLS_PHYSICS_PHYSICSCHECK_H_

#include <memory>
#include <string>

#include "tools/GaitRun.h"
#include "tools/GaitSettings.h"
#include "tools/physics/PhysicsParameters.h"
#include "tools/physics/PhysicsSummary.h"

namespace trotix {

// The robot model and one run of it, to hand to RunGait as its stage.
class PhysicsCheck {
 public:
  virtual ~PhysicsCheck() = default;
  virtual TickStage& stage() = 0;
  virtual PhysicsSummary summary() const = 0;
};

// Throws InputError naming `option` when built without MuJoCo.
std::unique_ptr<PhysicsCheck> MakePhysicsCheck(const PhysicsParameters& parameters,
                                               const GaitSettings& gait, const std::string& option);

// The slider map as an SVG drawing; throws InputError without MuJoCo.
std::string PhysicsMapSvg(const PhysicsParameters& parameters, const GaitSettings& gait,
                          const std::string& caption);

}  // namespace trotix

#endif  // TROTIX_TOOLS_PHYSICS_PHYSICSCHECK_H_
