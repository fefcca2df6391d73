#include "tools/GaitPlot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tools/PlotPanels.h"
#include "tools/SvgCanvas.h"

namespace trotix {
namespace {

constexpr double kPageWidth = 1200.0;
constexpr double kPageHeight = 950.0;
constexpr double kMargin = 32.0;
constexpr int kMaxBuckets = 1200;  // about one per pixel column of a panel

std::string LegTitle(const char* kind, int leg) {
  return std::string(kind) + " " + std::to_string(leg) +
         (leg < 2 ? " \xC2\xB7 front" : " \xC2\xB7 rear");
}

// The smallest and largest finite value over all series.
void AngleBounds(const std::vector<SeriesEnvelope>& series, double& low, double& high) {
  low = std::numeric_limits<double>::infinity();
  high = -low;
  for (const auto& one : series) {
    for (const auto& point : one.points()) {
      low = std::min(low, point.value);
      high = std::max(high, point.value);
    }
  }
}

AxisRange PaddedRange(double low, double high) {
  const double pad = (high - low) * 0.06;
  return NiceRange(low - pad, high + pad, 5);
}

}  // namespace

GaitPlot::GaitPlot(std::int64_t totalTicks, PlotCaption caption)
    : totalTicks_(totalTicks), caption_(std::move(caption)) {
  angles_.assign(kJointCount, SeriesEnvelope(totalTicks, kMaxBuckets));
}

void GaitPlot::addTick(std::int64_t tick, const WalkEngine& engine) {
  for (int joint = 0; joint < kJointCount; ++joint) {
    angles_[joint].add(tick, engine.jointAngles[joint]);
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& target = engine.frameTargets[0][leg];
    feet_[leg].add(target[0], target[2]);
  }
}

std::string GaitPlot::renderSvg() const {
  SvgCanvas canvas(kPageWidth, kPageHeight);
  canvas.rect(0, 0, kPageWidth, kPageHeight, "#ffffff");
  TextStyle title;
  title.size = 22.0;
  title.bold = true;
  title.colour = "#1d2129";
  canvas.text(kMargin, 40.0, "Trotix gait", title);
  TextStyle subtitle;
  subtitle.size = 13.0;
  subtitle.colour = "#5b6270";
  canvas.text(kMargin, 62.0, caption_.subtitle, subtitle);
  DrawJointLegend(canvas, kPageWidth - kMargin, 62.0);

  double low = 0.0, high = 0.0;
  AngleBounds(angles_, low, high);
  const AxisRange angleRange = low <= high ? PaddedRange(low, high) : NiceRange(0.0, 0.0, 5);
  const double columnWidth = (kPageWidth - 2 * kMargin - 40.0) / 2.0;
  for (int leg = 0; leg < kLegCount; ++leg) {
    const Box box{kMargin + (leg % 2) * (columnWidth + 40.0), 86.0 + (leg / 2) * 266.0, columnWidth,
                  250.0};
    JointPanel panel{LegTitle("Leg", leg),
                     {&angles_[3 * leg], &angles_[3 * leg + 1], &angles_[3 * leg + 2]},
                     static_cast<double>(std::max<std::int64_t>(totalTicks_ - 1, 1)),
                     angleRange,
                     &caption_.changeTicks};
    DrawJointPanel(canvas, box, panel);
  }

  TextStyle heading = title;
  heading.size = 15.0;
  canvas.text(kMargin, 640.0, "Foot paths", heading);
  canvas.text(kMargin + 96.0, 640.0,
              "frame-0 foot targets relative to the shoulder, x forwards and z down; "
              "the dot marks the last tick",
              subtitle);
  double xLow = std::numeric_limits<double>::infinity(), xHigh = -xLow;
  double zLow = xLow, zHigh = -xLow;
  for (const FootTrace& foot : feet_) {
    if (foot.empty()) continue;
    xLow = std::min(xLow, foot.minX());
    xHigh = std::max(xHigh, foot.maxX());
    zLow = std::min(zLow, foot.minZ());
    zHigh = std::max(zHigh, foot.maxZ());
  }
  const bool anyFoot = xLow <= xHigh;
  const AxisRange xRange = anyFoot ? PaddedRange(xLow, xHigh) : NiceRange(0.0, 0.0, 5);
  const AxisRange zRange = anyFoot ? PaddedRange(zLow, zHigh) : NiceRange(0.0, 0.0, 5);
  const double footWidth = (kPageWidth - 2 * kMargin - 3 * 20.0) / 4.0;
  for (int leg = 0; leg < kLegCount; ++leg) {
    const Box box{kMargin + leg * (footWidth + 20.0), 652.0, footWidth, 275.0};
    DrawFootPanel(canvas, box,
                  {LegTitle("Foot", leg), &feet_[leg], kFootColours[leg], xRange, zRange});
  }
  return canvas.finish();
}

}  // namespace trotix
