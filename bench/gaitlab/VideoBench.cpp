// Speed of the video: one frame of the walking robot drawn offscreen and
// read back, beside a physics tick (PhysicsBench.cpp) in the same run.
#include <benchmark/benchmark.h>

#include <vector>

#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/video/OffscreenContext.h"
#include "gaitlab/video/RunCaption.h"
#include "gaitlab/video/SceneView.h"
#include "trotix/SliderMapping.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

void BM_VideoFrame(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = width * 3 / 4;
  OffscreenContext context;
  const RobotModel model({}, 33.0);
  PhysicsRun run(model, 33.0);
  SceneView view(model, width, height);
  WalkEngine engine;
  TickRecord record;
  for (; record.tick < 60; ++record.tick) {  // two seconds into a walk
    ApplySliderPositions(engine, 0, -100);
    engine.tick();
    record.angles = engine.jointAngles;
    record.targets = engine.frameTargets[0];
    run.process(record);
    view.track().add(record.body.x / 1000.0, record.body.y / 1000.0);
  }
  const RunCaption caption = DescribeMoment(2.0, {0, -100});
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
  for (auto _ : state) {
    view.drawOffscreen(run.data(), caption.labels, caption.values, pixels.data());
    benchmark::DoNotOptimize(pixels.data());
  }
}

BENCHMARK(BM_VideoFrame)->Arg(320)->Arg(640)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trotix
