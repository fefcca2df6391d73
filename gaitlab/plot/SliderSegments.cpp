#include "gaitlab/plot/SliderSegments.h"

#include "gaitlab/plot/SeriesEnvelope.h"

namespace trotix {

SliderSegments::SliderSegments(std::int64_t totalTicks, int maxBuckets)
    : ticksPerBucket_(TicksPerBucket(totalTicks, maxBuckets)) {}

void SliderSegments::add(std::int64_t startTick, std::string label) {
  if (!segments_.empty() &&
      segments_.back().startTick / ticksPerBucket_ == startTick / ticksPerBucket_) {
    segments_.back().label = std::move(label);
    return;
  }
  segments_.push_back({startTick, std::move(label)});
}

}  // namespace trotix
