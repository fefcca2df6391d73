// placeholder: to be implemented
#include "engine/WalkEngine.h"
#include "engine/SliderMapping.h"

namespace trotix {
FootLocus DefaultFootLocus() { return {}; }
WalkEngine::WalkEngine() {
  for (int i = 0; i < kLegCount; ++i) legs[i].legIndex = i;
}
void WalkEngine::tick() {}
void ApplySliderPositions(WalkEngine&, int, int) {}
}  // namespace trotix
