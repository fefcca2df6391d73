// The physics section of a gait lab built without yaml-cpp: there is no
// gait file to read it from or to print it into.
#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsSection.h"

namespace trotix {

GaitFileSection PhysicsSection(PhysicsParameters&) { return {"physics", nullptr}; }

// Without gait files the model keeps its defaults, which stay stable.
std::string LikelyUnstableKey(const PhysicsParameters&) { return "physics.max_time_step_ms"; }

std::string PhysicsSectionText(const PhysicsParameters&, const RobotDescription&) {
  throw InputError(
      "--print-gait: this trotix-gait was built without yaml-cpp, so it has no gait files");
}

}  // namespace trotix
