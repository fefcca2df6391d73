// The picture of a run: the twelve joint angles over the ticks (one panel
// per leg) and each foot's path in the x-z plane, as an SVG document.
#ifndef TROTIX_TOOLS_GAITPLOT_H_
#define TROTIX_TOOLS_GAITPLOT_H_

#include <array>
#include <string>
#include <vector>

#include "tools/FootTrace.h"
#include "tools/GaitRun.h"
#include "tools/SeriesEnvelope.h"
#include "tools/SvgCanvas.h"

namespace trotix {

struct PlotCaption {
  std::string subtitle;                   // what was run, one line
  std::vector<std::int64_t> changeTicks;  // ticks where the sliders moved
};

class GaitPlot : public TickSink {
 public:
  GaitPlot(std::int64_t totalTicks, PlotCaption caption);
  void addTick(const TickRecord& record) override;
  std::string renderSvg() const;

 private:
  void drawHeader(SvgCanvas& canvas) const;
  void drawJointPanels(SvgCanvas& canvas) const;

  std::int64_t totalTicks_;
  PlotCaption caption_;
  std::vector<SeriesEnvelope> angles_;  // kJointCount series
  std::array<FootTrace, kLegCount> feet_;
};

}  // namespace trotix

#endif  // TROTIX_TOOLS_GAITPLOT_H_
