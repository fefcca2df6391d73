// A physics check that films its run: after each tick, MuJoCo's picture of
// the run's model and state, encoded at the frame rate asked for.
#ifndef TROTIX_GAITLAB_PHYSICSVIDEO_H_
#define TROTIX_GAITLAB_PHYSICSVIDEO_H_

#include <cstdio>
#include <memory>
#include <string>

#include "gaitlab/physics/PhysicsCheck.h"
#include "gaitlab/run/Schedule.h"
#include "gaitlab/video/VideoEncoder.h"

namespace trotix {

// What the run is, as far as the caption needs it, and what to make of it.
struct VideoRequest {
  VideoShape shape;
  std::int64_t ticks = 0;  // the run's length; the last tick lets go of the renderer
  SliderPositions start{};
  const Schedule* schedule = nullptr;  // must outlive the run; null for none
  std::int64_t rampTicks = 0;
  std::string what = "video";  // how messages name the video
};

class PhysicsVideo : public PhysicsCheck {
 public:
  // Ends the video once the run is over; the caller then commits the file.
  // Throws OutputError.
  virtual void finish() = 0;
};

// Films `physics`, which it takes over. `output` is the file the video goes
// to, named `name` in messages. Throws RendererUnavailable without OpenGL
// and OutputError when ffmpeg cannot run.
std::unique_ptr<PhysicsVideo> MakePhysicsVideo(std::unique_ptr<PhysicsCheck> physics,
                                               const GaitSettings& gait,
                                               const VideoRequest& request, std::FILE* output,
                                               const std::string& name);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSVIDEO_H_
