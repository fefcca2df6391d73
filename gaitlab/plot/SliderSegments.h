// The slider settings of a run's stretches, merged as the series are: the
// run's ticks are grouped into at most `maxBuckets` equal buckets, and each
// bucket keeps one change, at the first tick that changes the sliders in it,
// labelled with the sliders that stand at the last. A schedule of a million
// rows then draws as a few hundred markers, not a million.
#ifndef TROTIX_GAITLAB_SLIDERSEGMENTS_H_
#define TROTIX_GAITLAB_SLIDERSEGMENTS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "gaitlab/plot/PlotPanels.h"  // SliderSegment, kPlotBuckets

namespace trotix {

class SliderSegments {
 public:
  explicit SliderSegments(std::int64_t totalTicks, int maxBuckets = kPlotBuckets);

  // The sliders from `startTick` on; ticks must not decrease. A change at
  // the tick of the last one replaces it.
  void add(std::int64_t startTick, std::string label);

  const std::vector<SliderSegment>& segments() const { return segments_; }

 private:
  std::int64_t ticksPerBucket_;
  std::vector<SliderSegment> segments_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SLIDERSEGMENTS_H_
