// The picture of a run: the twelve joint angles over time (one panel per
// leg, with the joint limits as bands and the sliders of each stretch), each
// foot's sideways sway, and each foot's path in the x-z plane, as SVG; after
// a physics run also the trunk's track on the floor seen from above.
#ifndef TROTIX_GAITLAB_GAITPLOT_H_
#define TROTIX_GAITLAB_GAITPLOT_H_

#include <array>
#include <string>
#include <vector>

#include "gaitlab/plot/FootTrace.h"
#include "gaitlab/plot/PlotPanels.h"
#include "gaitlab/plot/SeriesEnvelope.h"
#include "gaitlab/plot/SvgCanvas.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

struct PlotCaption {
  std::string subtitle;                 // what was run, one line
  std::vector<SliderSegment> segments;  // the sliders from tick 0 on
};

class GaitPlot : public TickSink {
 public:
  GaitPlot(std::int64_t totalTicks, PlotCaption caption,
           const GaitSettings& gait = DefaultGaitSettings(), bool withBodyTrack = false);
  void addTick(const TickRecord& record) override;
  std::string renderSvg() const;

 private:
  void drawHeader(SvgCanvas& canvas) const;
  void drawJointPanels(SvgCanvas& canvas) const;
  void drawSwayPanel(SvgCanvas& canvas) const;
  void drawBodyTrack(SvgCanvas& canvas, double top, double size) const;

  std::int64_t totalTicks_;
  PlotCaption caption_;
  double secondsPerTick_;
  std::array<AngleLimits, kJointCount> limits_;
  std::vector<SeriesEnvelope> angles_;  // kJointCount series
  std::vector<SeriesEnvelope> sway_;    // kLegCount series of the foot target's y
  std::array<FootTrace, kLegCount> feet_;
  bool withBodyTrack_;
  FootTrace bodyTrack_;  // the trunk's x and y on the floor
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITPLOT_H_
