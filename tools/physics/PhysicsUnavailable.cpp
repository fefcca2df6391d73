// The physics options of a trotix-gait built without MuJoCo.
#include "tools/InputError.h"
#include "tools/physics/PhysicsCheck.h"

namespace trotix {
namespace {

InputError Unavailable(const std::string& option) {
  return InputError(option +
                    ": this trotix-gait was built without MuJoCo, so it has no physics check");
}

}  // namespace

std::unique_ptr<PhysicsCheck> MakePhysicsCheck(const PhysicsParameters&, const GaitSettings&,
                                               const std::string& option) {
  throw Unavailable(option);
}

std::string PhysicsMapSvg(const PhysicsParameters&, const GaitSettings&, const std::string&) {
  throw Unavailable("--physics-map");
}

}  // namespace trotix
