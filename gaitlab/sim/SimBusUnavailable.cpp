// The sim bus of a build without MuJoCo.
#include "gaitlab/io/InputError.h"
#include "gaitlab/sim/SimBus.h"

namespace trotix {

std::unique_ptr<ServoBus> OpenSimBus(const GaitSettings&, const PhysicsParameters&) {
  throw InputError("sim: this trotix-drive was built without MuJoCo, so it has no sim bus");
}

}  // namespace trotix
