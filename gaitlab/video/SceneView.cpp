#include "gaitlab/video/SceneView.h"

#include <cmath>

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

// A soft dark ellipse on the floor under the trunk's box, as the light
// from above would cast it, turned with it.
void AddShadowPatch(const mjData& data, int box, mjvScene& scene) {
  if (scene.ngeom == scene.maxgeom) return;
  const mjtNum* place = data.geom_xpos + 3 * box;
  const mjtNum* turn = data.geom_xmat + 9 * box;
  const mjtNum heading = std::atan2(turn[3], turn[0]);
  const mjtNum size[3] = {0.15, 0.07, 0.0005};
  const mjtNum position[3] = {place[0], place[1], 0.0006};
  const mjtNum c = std::cos(heading), s = std::sin(heading);
  const mjtNum rotation[9] = {c, -s, 0.0, s, c, 0.0, 0.0, 0.0, 1.0};
  const float colour[4] = {0.0f, 0.0f, 0.0f, 0.3f};
  mjvGeom& geom = scene.geoms[scene.ngeom++];
  mjv_initGeom(&geom, mjGEOM_ELLIPSOID, size, position, rotation, colour);
  geom.category = mjCAT_DECOR;
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
  // Software rendering pays for every sample: one is a quarter of MuJoCo's
  // default.
  sized->vis.quality.offsamples = 0;
  mjr_makeContext(sized, &context_, FontScale(height));
  mj_deleteModel(sized);
  // MuJoCo's shadows take two more passes over the picture, three times the
  // cost of a frame without them in software; a soft patch under the trunk
  // grounds the robot for almost nothing (AddShadowPatch).
  scene_.flags[mjRND_SHADOW] = 0;
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
  AddShadowPatch(data, model_.trunkGeom(), scene_);
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
