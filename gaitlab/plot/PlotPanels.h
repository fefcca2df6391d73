// The panels of the gait plot, each drawn into a given rectangle.
#ifndef TROTIX_GAITLAB_PLOTPANELS_H_
#define TROTIX_GAITLAB_PLOTPANELS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "gaitlab/plot/FootTrace.h"
#include "gaitlab/plot/PlotAxis.h"
#include "gaitlab/plot/SeriesEnvelope.h"
#include "gaitlab/plot/SvgCanvas.h"

namespace trotix {

// Colours of the three joints of a leg and of the four feet.
extern const char* const kJointColours[3];
extern const char* const kFootColours[4];

struct Box {
  double left, top, width, height;
};

// How many buckets a long run's ticks are grouped into: about one per pixel
// column of a panel.
constexpr int kPlotBuckets = 1200;

// The sliders from one tick on, as the plot labels a stretch of the run.
struct SliderSegment {
  std::int64_t startTick;
  std::string label;  // "turn 40, step -100"
};

// A joint's limits; NaN where none is given.
struct AngleLimits {
  double lower, upper;
};

// Three joint-angle series of one leg against time in seconds, with dashed
// markers where the sliders change, each segment's slider values, and the
// joints' limits as bands over the angles beyond them.
struct JointPanel {
  std::string title;
  const SeriesEnvelope* series[3];
  double tickEnd;  // right end of the tick axis
  double secondsPerTick;
  AxisRange angleRange;
  const std::vector<SliderSegment>* segments;  // the first starts at tick 0
  AngleLimits limits[3];
};
void DrawJointPanel(SvgCanvas& canvas, const Box& box, const JointPanel& panel);

// Each foot's sideways foot target y against time, one colour per foot.
struct SwayPanel {
  std::string title;
  const SeriesEnvelope* series[4];
  double tickEnd;
  double secondsPerTick;
};
void DrawSwayPanel(SvgCanvas& canvas, const Box& box, const SwayPanel& panel);

// One foot's path; x to the right, z (downwards) down the picture. All foot
// panels share `xRange` and `zRange`, so their shapes compare directly. The
// same panel shows the trunk's track seen from above, its second axis up.
struct FootPanel {
  std::string title;
  const FootTrace* trace;
  const char* colour;
  AxisRange xRange;
  AxisRange zRange;
  const char* xTitle = "x (mm, forwards)";
  const char* zTitle = "z (mm, down)";
  bool zDown = true;
};
void DrawFootPanel(SvgCanvas& canvas, const Box& box, const FootPanel& panel);

// The height of a foot panel `width` wide that shows the ranges to scale:
// at most square, and never so flat that the path cannot be read.
double FootPanelHeight(double width, const AxisRange& xRange, const AxisRange& zRange);

// The joint colour key: coloured line samples with their names.
void DrawJointLegend(SvgCanvas& canvas, double right, double baseline);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PLOTPANELS_H_
