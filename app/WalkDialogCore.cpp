#include "app/WalkDialogCore.h"

#include "trotix/SliderMapping.h"

namespace trotix {

void WalkDialogCore::runSimulationStep(WalkEngine& engine) {
  const std::optional<int> vertical = verticalSliderPosition();
  const std::optional<int> horizontal = horizontalSliderPosition();
  if (!vertical || !horizontal) return;
  ApplySliderPositions(engine, *horizontal, *vertical);
  engine.tick();
  invalidateView();
  if (afterTickForTesting) afterTickForTesting();
}

}  // namespace trotix
