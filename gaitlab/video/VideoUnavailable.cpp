// The video and the live window of a trotix-gait built without MuJoCo:
// the physics check refuses them as it refuses itself.
#include "gaitlab/io/InputError.h"
#include "gaitlab/video/PhysicsVideo.h"
#include "gaitlab/video/WatchWindow.h"

namespace trotix {

std::unique_ptr<PhysicsVideo> MakePhysicsVideo(std::unique_ptr<PhysicsCheck>, const GaitSettings&,
                                               const VideoRequest& request, std::FILE*,
                                               const std::string&) {
  throw InputError(request.what + ": this trotix-gait has no physics check");
}

void WatchPhysics(const PhysicsParameters& parameters, const GaitSettings& gait, SliderPositions,
                  const std::string& what, const WatchLive&) {
  MakePhysicsCheck(parameters, gait, what);
  throw InputError(what + ": this trotix-gait has no physics check");
}

}  // namespace trotix
