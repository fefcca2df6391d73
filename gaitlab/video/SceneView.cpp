#include "gaitlab/video/SceneView.h"

namespace trotix {
namespace {

// Room in the scene for the track's segments besides the model's own geoms.
constexpr int kSceneGeoms = 2000 + TrunkTrack::kMaxPoints;

// Letters of about a thirtieth of the picture's height.
int FontScale(int height) {
  if (height < 360) return mjFONTSCALE_50;
  if (height < 720) return mjFONTSCALE_100;
  return mjFONTSCALE_150;
}

}  // namespace

SceneView::SceneView(const RobotModel& model, int width, int height)
    : model_(model), width_(width), height_(height) {
  mjv_defaultScene(&scene_);
  mjv_defaultOption(&option_);
  mjr_defaultContext(&context_);
  mjv_makeScene(&model.model(), &scene_, kSceneGeoms);
  // The offscreen buffer takes its size from the model; a copy of it asks for ours.
  mjModel* sized = mj_copyModel(nullptr, &model.model());
  sized->vis.global.offwidth = width;
  sized->vis.global.offheight = height;
  // Software rendering pays for every sample and every shadow texel: one
  // sample, and a shadow map of a size that a 640 x 480 picture needs, cost
  // a fifth of MuJoCo's defaults (4 samples, 4096 x 4096).
  sized->vis.quality.offsamples = 0;
  sized->vis.quality.shadowsize = 1024;
  mjr_makeContext(sized, &context_, FontScale(height));
  mj_deleteModel(sized);
  mjv_defaultCamera(&camera_);
  camera_.distance = 0.8;
  camera_.azimuth = 135.0;
  camera_.elevation = -22.0;
}

SceneView::~SceneView() {
  mjr_freeContext(&context_);
  mjv_freeScene(&scene_);
}

void SceneView::draw(mjData& data, const mjrRect& viewport, const std::string& labels,
                     const std::string& values) {
  // The camera looks at the whole robot's mass centre, wherever it walks.
  mju_copy3(camera_.lookat, data.subtree_com + 3 * model_.trunkBody());
  mjv_updateScene(&model_.model(), &data, &option_, nullptr, &camera_, mjCAT_ALL, &scene_);
  track_.addTo(scene_);
  mjr_render(viewport, &scene_, &context_);
  mjr_overlay(mjFONT_NORMAL, mjGRID_TOPLEFT, viewport, labels.c_str(), values.c_str(), &context_);
}

void SceneView::drawOffscreen(mjData& data, const std::string& labels, const std::string& values,
                              unsigned char* rgb) {
  mjr_setBuffer(mjFB_OFFSCREEN, &context_);
  const mjrRect viewport{0, 0, width_, height_};
  draw(data, viewport, labels, values);
  mjr_readPixels(rgb, nullptr, viewport, &context_);
}

}  // namespace trotix
