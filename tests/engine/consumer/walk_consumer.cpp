// Walks the installed engine a few ticks and checks that it moves the legs
// and publishes consistent joint commands.
#include <cstdio>

#include "trotix/LegGeometry.h"
#include "trotix/SliderMapping.h"
#include "trotix/WalkEngine.h"

int main() {
  trotix::WalkEngine engine;
  trotix::JointAngles first{};
  for (int tick = 0; tick < 10; ++tick) {
    trotix::ApplySliderPositions(engine, 20, -100);
    engine.tick();
    if (tick == 0) first = engine.jointAngles;
  }
  for (int k = 0; k < trotix::kJointCount; ++k) {
    const auto expected = static_cast<trotix::JointCommand>(engine.jointAngles[k] * 1e6);
    if (engine.jointCommands[k] != expected) {
      std::printf("joint %d: command %d for angle %.9f\n", k, engine.jointCommands[k],
                  engine.jointAngles[k]);
      return 1;
    }
  }
  if (engine.jointAngles == first) {
    std::printf("the legs did not move\n");
    return 1;
  }
  const trotix::Vector3 far = trotix::ClampToReach(trotix::LegGeometryOf(0), {0.0, 0.0, 1000.0});
  if (far.z != trotix::kFrontLegGeometry.maxReach) {
    std::printf("a far target reached %.3f mm\n", far.z);
    return 1;
  }
  std::printf("walked 10 ticks, leg 0 pitch %.6f rad\n", engine.jointAngles[0]);
  return 0;
}
