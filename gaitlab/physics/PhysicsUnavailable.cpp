// The physics options of a trotix-gait built without MuJoCo.
#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsCheck.h"
#include "gaitlab/physics/PhysicsMap.h"

namespace trotix {
namespace {

InputError Unavailable(const std::string& what) {
  return InputError(what +
                    ": this trotix-gait was built without MuJoCo, so it has no physics check");
}

}  // namespace

std::unique_ptr<PhysicsCheck> MakePhysicsCheck(const PhysicsParameters&, const GaitSettings&,
                                               const std::string& what, int, unsigned) {
  throw Unavailable(what);
}

std::vector<MapCell> RunPhysicsMap(const PhysicsParameters&, const GaitSettings&, double, unsigned,
                                   int, const MapProgress&, const std::string& what) {
  throw Unavailable(what);
}

}  // namespace trotix
