// MuJoCo's picture of a physics run: the robot on its floor, seen by a
// camera that follows the trunk, the trunk's track drawn on the floor, and
// a caption. The video and the live window both draw with it.
#ifndef TROTIX_GAITLAB_SCENEVIEW_H_
#define TROTIX_GAITLAB_SCENEVIEW_H_

#include <mujoco/mujoco.h>

#include <string>

#include "gaitlab/physics/RobotModel.h"
#include "gaitlab/video/TrunkTrack.h"

namespace trotix {

class SceneView {
 public:
  // Needs a current OpenGL context, which must stay current while the view
  // lives. The offscreen buffer is `width` x `height` pixels.
  SceneView(const RobotModel& model, int width, int height);
  ~SceneView();
  SceneView(const SceneView&) = delete;
  SceneView& operator=(const SceneView&) = delete;

  mjvCamera& camera() { return camera_; }
  mjvScene& scene() { return scene_; }
  const mjrContext& context() const { return context_; }
  TrunkTrack& track() { return track_; }

  // Draws `data` into the current buffer, with a caption of two columns
  // (lines of labels and of values) at the top left.
  void draw(mjData& data, const mjrRect& viewport, const std::string& labels,
            const std::string& values);
  // Draws into the offscreen buffer and reads it back as RGB rows, the
  // bottom row first.
  void drawOffscreen(mjData& data, const std::string& labels, const std::string& values,
                     unsigned char* rgb);

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  const RobotModel& model_;
  int width_, height_;
  mjvScene scene_;
  mjvOption option_;
  mjvCamera camera_;
  mjrContext context_;
  TrunkTrack track_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SCENEVIEW_H_
