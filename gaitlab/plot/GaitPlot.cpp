#include "gaitlab/plot/GaitPlot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gaitlab/plot/PlotPanels.h"
#include "gaitlab/plot/SvgCanvas.h"
#include "trotix/LegGeometry.h"

namespace trotix {
namespace {

constexpr double kPageWidth = 1200.0;
constexpr double kMargin = 32.0;
constexpr double kGap = 20.0;
constexpr double kSwayTop = 626.0;
constexpr double kSwayHeight = 200.0;
constexpr double kFootTop = kSwayTop + kSwayHeight + 50.0;

std::string LegTitle(const char* kind, int leg) {
  return std::string(kind) + " " + std::to_string(leg) +
         (IsFrontLeg(leg) ? " \xC2\xB7 front" : " \xC2\xB7 rear");
}

TextStyle HeadingStyle(double size) {
  TextStyle style;
  style.size = size;
  style.bold = true;
  style.colour = "#1d2129";
  return style;
}

TextStyle NoteStyle() {
  TextStyle style;
  style.size = 13.0;
  style.colour = "#5b6270";
  return style;
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

AxisRange PaddedRange(double low, double high, int targetCount) {
  const double pad = (high - low) * 0.04;
  return NiceRange(low - pad, high + pad, targetCount);
}

// Foot paths are shown at least this wide and tall, so that standing still
// does not magnify micrometre wobbles into a scribble.
constexpr double kMinFootSpan = 20.0;

AxisRange FootRange(double low, double high) {
  const double middle = (low + high) / 2.0;
  const double half = std::max((high - low) / 2.0, kMinFootSpan / 2.0);
  return PaddedRange(middle - half, middle + half, 8);
}

}  // namespace

GaitPlot::GaitPlot(std::int64_t totalTicks, PlotCaption caption, const GaitSettings& gait,
                   bool withBodyTrack)
    : totalTicks_(totalTicks),
      caption_(std::move(caption)),
      secondsPerTick_(gait.tickSeconds()),
      withBodyTrack_(withBodyTrack) {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  for (int joint = 0; joint < kJointCount; ++joint) {
    const JointServo& servo = gait.robot.joints[joint];
    limits_[joint] = {servo.lower.value_or(kNone), servo.upper.value_or(kNone)};
  }
  angles_.assign(kJointCount, SeriesEnvelope(totalTicks, kPlotBuckets));
  sway_.assign(kLegCount, SeriesEnvelope(totalTicks, kPlotBuckets));
}

void GaitPlot::addTick(const TickRecord& record) {
  for (int joint = 0; joint < kJointCount; ++joint) {
    angles_[joint].add(record.tick, record.angles[joint]);
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    feet_[leg].add(record.targets[leg][0], record.targets[leg][2]);
    sway_[leg].add(record.tick, record.targets[leg][1]);
  }
  if (withBodyTrack_) bodyTrack_.add(record.body.x, record.body.y);
}

std::string GaitPlot::renderSvg() const {
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
  const AxisRange xRange = anyFoot ? FootRange(xLow, xHigh) : FootRange(0.0, 0.0);
  const AxisRange zRange = anyFoot ? FootRange(zLow, zHigh) : FootRange(0.0, 0.0);
  const double footWidth = (kPageWidth - 2 * kMargin - 3 * kGap) / 4.0;
  const double footHeight = FootPanelHeight(footWidth, xRange, zRange);
  const double trackTop = kFootTop + footHeight + 40.0;
  const double trackSize = withBodyTrack_ ? 520.0 : 0.0;
  const double pageHeight =
      (withBodyTrack_ ? trackTop + trackSize : kFootTop + footHeight) + kMargin / 2.0;

  SvgCanvas canvas(kPageWidth, pageHeight);
  canvas.rect(0, 0, kPageWidth, pageHeight, "#ffffff");
  drawHeader(canvas);
  drawJointPanels(canvas);
  drawSwayPanel(canvas);
  for (int leg = 0; leg < kLegCount; ++leg) {
    const Box box{kMargin + leg * (footWidth + kGap), kFootTop, footWidth, footHeight};
    DrawFootPanel(canvas, box,
                  {LegTitle("Foot", leg), &feet_[leg], kFootColours[leg], xRange, zRange});
  }
  if (withBodyTrack_) drawBodyTrack(canvas, trackTop, trackSize);
  return canvas.finish();
}

void GaitPlot::drawHeader(SvgCanvas& canvas) const {
  canvas.text(kMargin, 40.0, "Trotix gait", HeadingStyle(22.0));
  canvas.text(kMargin, 62.0, caption_.subtitle, NoteStyle());
  DrawJointLegend(canvas, kPageWidth - kMargin, 62.0);
  canvas.text(kMargin, kFootTop - 12.0, "Foot paths", HeadingStyle(15.0));
  canvas.text(kMargin + 96.0, kFootTop - 12.0,
              "frame-0 foot targets relative to the shoulder, x forwards and z down, to scale; "
              "the dot marks the last tick",
              NoteStyle());
}

void GaitPlot::drawJointPanels(SvgCanvas& canvas) const {
  double low = 0.0, high = 0.0;
  AngleBounds(angles_, low, high);
  const AxisRange angleRange = low <= high ? PaddedRange(low, high, 8) : NiceRange(0.0, 0.0, 8);
  const double tickEnd = static_cast<double>(std::max<std::int64_t>(totalTicks_ - 1, 1));
  const double columnWidth = (kPageWidth - 2 * kMargin - kGap * 2) / 2.0;
  for (int leg = 0; leg < kLegCount; ++leg) {
    const Box box{kMargin + (leg % 2) * (columnWidth + kGap * 2), 86.0 + (leg / 2) * 266.0,
                  columnWidth, 250.0};
    JointPanel panel{LegTitle("Leg", leg),
                     {&angles_[3 * leg], &angles_[3 * leg + 1], &angles_[3 * leg + 2]},
                     tickEnd,
                     secondsPerTick_,
                     angleRange,
                     &caption_.segments,
                     {limits_[3 * leg], limits_[3 * leg + 1], limits_[3 * leg + 2]}};
    DrawJointPanel(canvas, box, panel);
  }
}

// Seen from above: x to the right, the robot's left (+y) up, to scale.
void GaitPlot::drawBodyTrack(SvgCanvas& canvas, double top, double size) const {
  constexpr double kMinTrackSpan = 100.0;  // mm: standing still shows as a dot
  const auto range = [](double low, double high) {
    const double middle = (low + high) / 2.0;
    const double half = std::max((high - low) / 2.0, kMinTrackSpan / 2.0);
    return PaddedRange(middle - half, middle + half, 8);
  };
  const bool any = !bodyTrack_.empty();
  FootPanel panel{"Trunk track on the floor, seen from above (physics run)", &bodyTrack_, "#1d6fa5",
                  any ? range(bodyTrack_.minX(), bodyTrack_.maxX()) : range(0.0, 0.0),
                  any ? range(bodyTrack_.minZ(), bodyTrack_.maxZ()) : range(0.0, 0.0)};
  panel.xTitle = "x (mm, where it started facing)";
  panel.zTitle = "y (mm, to its left)";
  panel.zDown = false;
  DrawFootPanel(canvas, {kMargin, top, size, size}, panel);
}

void GaitPlot::drawSwayPanel(SvgCanvas& canvas) const {
  const double tickEnd = static_cast<double>(std::max<std::int64_t>(totalTicks_ - 1, 1));
  const Box box{kMargin, kSwayTop, kPageWidth - 2 * kMargin, kSwayHeight};
  DrawSwayPanel(canvas, box,
                {"Sideways sway of each foot (frame-0 target y, mm)",
                 {&sway_[0], &sway_[1], &sway_[2], &sway_[3]},
                 tickEnd,
                 secondsPerTick_});
  // The foot colours, as in the foot path panels below.
  for (int leg = 0; leg < kLegCount; ++leg) {
    const double x = kPageWidth - kMargin - (kLegCount - leg) * 90.0;
    canvas.line(x, kSwayTop + 10.0, x + 20.0, kSwayTop + 10.0, {kFootColours[leg], 3.0});
    TextStyle style;
    style.size = 12.0;
    style.colour = "#333a45";
    canvas.text(x + 26.0, kSwayTop + 14.0, "foot " + std::to_string(leg), style);
  }
}

}  // namespace trotix
