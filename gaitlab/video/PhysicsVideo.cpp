#include "gaitlab/video/PhysicsVideo.h"

#include <optional>
#include <vector>

#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/video/OffscreenContext.h"
#include "gaitlab/video/RunCaption.h"
#include "gaitlab/video/SceneView.h"

namespace trotix {
namespace {

const Schedule kNoSchedule;

// The run goes on the engine's thread, and so does the drawing: the
// renderer is made on the caller's thread, to fail before any work, and
// handed over at the first tick.
class MujocoPhysicsVideo : public PhysicsVideo, private TickStage {
 public:
  MujocoPhysicsVideo(std::unique_ptr<PhysicsCheck> physics, const GaitSettings& gait,
                     const VideoRequest& request, std::FILE* output, const std::string& name)
      : physics_(std::move(physics)),
        sliders_(request.start, request.schedule ? *request.schedule : kNoSchedule,
                 request.rampTicks),
        tickSeconds_(gait.tickSeconds()),
        framesPerSecond_(request.shape.framesPerSecond),
        lastTick_(request.ticks - 1),
        pixels_(static_cast<std::size_t>(request.shape.width) * request.shape.height * 3) {
    view_.emplace(physics_->run().model(), request.shape.width, request.shape.height);
    encoder_.emplace(output, name, request.shape);
    context_.release();
  }

  ~MujocoPhysicsVideo() override {
    // The view's OpenGL objects go with the context if it cannot be had.
    if (context_.makeCurrent()) view_.reset();
  }

  TickStage& stage() override { return *this; }
  PhysicsSummary summary() const override { return physics_->summary(); }
  PhysicsRun& run() override { return physics_->run(); }
  void keepReplay() override { physics_->keepReplay(); }
  std::string replayCsv() const override { return physics_->replayCsv(); }
  MjcfState startState() const override { return physics_->startState(); }
  void finish() override { encoder_->finish(); }

 private:
  void process(TickRecord& record) override {
    if (record.tick == 0 && !context_.makeCurrent()) {
      throw RendererUnavailable("the renderer could not be handed to the physics run");
    }
    try {
      film(record);
    } catch (...) {
      context_.release();
      throw;
    }
    if (record.tick == lastTick_) context_.release();
  }

  void film(TickRecord& record) {
    physics_->stage().process(record);
    const SliderPositions sliders = sliders_.next();
    mjData& data = run().data();
    const mjtNum* trunk = data.xpos + 3 * run().model().trunkBody();
    view_->track().add(trunk[0], trunk[1]);
    const double seconds = static_cast<double>(record.tick) * tickSeconds_;
    bool drawn = false;
    // Each frame shows the last tick that began at or before its time.
    while (static_cast<double>(frames_) / framesPerSecond_ <= seconds + 1e-9) {
      if (!drawn) {
        const RunCaption caption = DescribeMoment(seconds, sliders);
        view_->drawOffscreen(data, caption.labels, caption.values, pixels_.data());
        drawn = true;
      }
      encoder_->addFrame(pixels_.data());
      ++frames_;
    }
  }

  std::unique_ptr<PhysicsCheck> physics_;
  SliderTrack sliders_;
  double tickSeconds_, framesPerSecond_;
  std::int64_t lastTick_;
  std::int64_t frames_ = 0;
  std::vector<unsigned char> pixels_;
  OffscreenContext context_;
  std::optional<SceneView> view_;
  std::optional<VideoEncoder> encoder_;
};

}  // namespace

std::unique_ptr<PhysicsVideo> MakePhysicsVideo(std::unique_ptr<PhysicsCheck> physics,
                                               const GaitSettings& gait,
                                               const VideoRequest& request, std::FILE* output,
                                               const std::string& name) {
  try {
    return std::make_unique<MujocoPhysicsVideo>(std::move(physics), gait, request, output, name);
  } catch (const RendererUnavailable& error) {
    throw RendererUnavailable(request.what + ": " + error.what());
  }
}

}  // namespace trotix
