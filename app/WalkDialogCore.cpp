#include "app/WalkDialogCore.h"

namespace trotix {

void WalkDialogCore::runSimulationStep() {
  const std::optional<int> vertical = verticalSliderPosition();
  const std::optional<int> horizontal = horizontalSliderPosition();
  if (!vertical || !horizontal) return;
  walk_.step({*horizontal, *vertical});
  invalidateView();
  if (afterTickForTesting) afterTickForTesting();
}

}  // namespace trotix
