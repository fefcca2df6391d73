#include "gaitlab/plot/PlotPanels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace trotix {

const char* const kJointColours[3] = {"#2f6fb0", "#3a9a4a", "#d1495b"};
const char* const kFootColours[4] = {"#2f6fb0", "#e08a2c", "#3a9a4a", "#8e5bb5"};

namespace {

constexpr const char* kJointLabels[3] = {"shoulder pitch", "shoulder roll", "knee"};
constexpr const char* kPlotBackground = "#fbfbfc";
constexpr const char* kFrameColour = "#c9ced6";
constexpr const char* kGridColour = "#e6e9ee";
constexpr const char* kZeroColour = "#aab1bc";
constexpr const char* kLabelColour = "#5b6270";
constexpr double kLabelSize = 11.0;
constexpr double kTitleHeight = 28.0;
// Room around a foot panel's plot area for its title, labels and axis titles.
constexpr double kFootLeftRoom = 50.0;
constexpr double kFootRightRoom = 6.0;
constexpr double kBottomRoom = 38.0;
constexpr double kMinFootPlotHeight = 110.0;

// "0.5", "-1", "120": as many decimals as the step needs.
std::string TickLabel(double value, double step) {
  const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6);
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return std::string(text) == "-0" ? "0" : text;
}

TextStyle Label(TextAnchor anchor, double rotate = 0.0) {
  TextStyle style;
  style.size = kLabelSize;
  style.colour = kLabelColour;
  style.anchor = anchor;
  style.rotate = rotate;
  return style;
}

void DrawTitle(SvgCanvas& canvas, const Box& box, const std::string& title) {
  TextStyle style;
  style.size = 13.0;
  style.bold = true;
  style.colour = "#22262e";
  canvas.text(box.left, box.top + 15.0, title, style);
}

// Frame, grid lines and tick labels of a plot area.
void DrawGrid(SvgCanvas& canvas, const PlotArea& area, double xStep, double yStep) {
  canvas.rect(area.left, area.top, area.width, area.height, kPlotBackground);
  const double low = std::min(area.y0, area.y1), high = std::max(area.y0, area.y1);
  for (const double y : TickValues(low, high, yStep)) {
    const double py = area.pixelY(y);
    canvas.line(area.left, py, area.left + area.width, py, {y == 0.0 ? kZeroColour : kGridColour});
    canvas.text(area.left - 6.0, py + 4.0, TickLabel(y, yStep), Label(TextAnchor::kEnd));
  }
  for (const double x : TickValues(area.x0, area.x1, xStep)) {
    const double px = area.pixelX(x);
    canvas.line(px, area.top, px, area.top + area.height, {kGridColour});
    canvas.text(px, area.top + area.height + 15.0, TickLabel(x, xStep), Label(TextAnchor::kMiddle));
  }
  canvas.rect(area.left, area.top, area.width, area.height, "none", {kFrameColour});
}

void DrawAxisTitles(SvgCanvas& canvas, const PlotArea& area, const Box& box,
                    const std::string& xTitle, const std::string& yTitle) {
  canvas.text(area.left + area.width / 2.0, area.top + area.height + 31.0, xTitle,
              Label(TextAnchor::kMiddle));
  const double x = box.left + 11.0, y = area.top + area.height / 2.0;
  canvas.text(x, y, yTitle, Label(TextAnchor::kMiddle, -90.0));
}

void DrawSeries(SvgCanvas& canvas, const PlotArea& area, const SeriesEnvelope& series,
                double secondsPerTick, const char* colour, double width = 1.6) {
  const auto points = series.points();
  canvas.beginPath();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double px = area.pixelX(points[i].tick * secondsPerTick);
    const double py = area.pixelY(points[i].value);
    if (i == 0) {
      canvas.moveTo(px, py);
      if (points.size() == 1) canvas.lineTo(px, py);
    } else {
      canvas.lineTo(px, py);
    }
  }
  canvas.strokePath({colour, width});
}

// A plot area over time in seconds for a panel in `box`.
PlotArea TimeArea(const Box& box, double tickEnd, double secondsPerTick, double low, double high) {
  return {box.left + 58.0,
          box.top + kTitleHeight,
          box.width - 66.0,
          box.height - kTitleHeight - 38.0,
          0.0,
          std::max(tickEnd, 1.0) * secondsPerTick,
          low,
          high};
}

// A limit as a dashed line with a narrow band on the side beyond it; a
// limit outside the area is not drawn.
void DrawLimitBand(SvgCanvas& canvas, const PlotArea& area, double limit, bool upper,
                   const char* colour) {
  constexpr double kBandPixels = 9.0;
  const double low = std::min(area.y0, area.y1), high = std::max(area.y0, area.y1);
  if (!(limit >= low && limit <= high)) return;
  const double y = area.pixelY(limit);
  const double top = upper ? std::max(area.top, y - kBandPixels) : y;
  const double bottom = upper ? y : std::min(area.top + area.height, y + kBandPixels);
  canvas.openGroup("opacity=\"0.3\"");
  canvas.rect(area.left, top, area.width, bottom - top, colour);
  canvas.closeGroup();
  canvas.line(area.left, y, area.left + area.width, y, {colour, 1.2, "6 3"});
}

void DrawSegments(SvgCanvas& canvas, const PlotArea& area, const JointPanel& panel) {
  const auto& segments = *panel.segments;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const double start = segments[i].startTick * panel.secondsPerTick;
    const double end =
        i + 1 < segments.size() ? segments[i + 1].startTick * panel.secondsPerTick : area.x1;
    const double left = area.pixelX(start), right = area.pixelX(std::min(end, area.x1));
    if (i > 0) canvas.line(left, area.top, left, area.top + area.height, {"#8a93a3", 1.0, "4 3"});
    // About 5.5 pixels per character at this size; leave out what does not fit.
    if (right - left < segments[i].label.size() * 5.5 + 8.0) continue;
    TextStyle style = Label(TextAnchor::kStart);
    style.size = 10.0;
    canvas.text(left + 4.0, area.top + 12.0, segments[i].label, style);
  }
}

}  // namespace

void DrawJointPanel(SvgCanvas& canvas, const Box& box, const JointPanel& panel) {
  DrawTitle(canvas, box, panel.title);
  const PlotArea area = TimeArea(box, panel.tickEnd, panel.secondsPerTick, panel.angleRange.low,
                                 panel.angleRange.high);
  DrawGrid(canvas, area, NiceStep(area.x1 - area.x0, 8), panel.angleRange.step);
  for (int joint = 0; joint < 3; ++joint) {
    DrawLimitBand(canvas, area, panel.limits[joint].lower, false, kJointColours[joint]);
    DrawLimitBand(canvas, area, panel.limits[joint].upper, true, kJointColours[joint]);
  }
  DrawSegments(canvas, area, panel);
  for (int joint = 0; joint < 3; ++joint) {
    DrawSeries(canvas, area, *panel.series[joint], panel.secondsPerTick, kJointColours[joint]);
  }
  DrawAxisTitles(canvas, area, box, "time (s)", "angle (rad)");
}

void DrawSwayPanel(SvgCanvas& canvas, const Box& box, const SwayPanel& panel) {
  DrawTitle(canvas, box, panel.title);
  double low = std::numeric_limits<double>::infinity(), high = -low;
  for (const SeriesEnvelope* series : panel.series) {
    for (const auto& point : series->points()) {
      low = std::min(low, point.value);
      high = std::max(high, point.value);
    }
  }
  const AxisRange range = low <= high ? NiceRange(low, high, 5) : NiceRange(0.0, 0.0, 5);
  const PlotArea area = TimeArea(box, panel.tickEnd, panel.secondsPerTick, range.low, range.high);
  DrawGrid(canvas, area, NiceStep(area.x1 - area.x0, 16), range.step);
  // Feet often sway alike; narrower lines on top keep each one visible.
  for (int leg = 0; leg < 4; ++leg) {
    DrawSeries(canvas, area, *panel.series[leg], panel.secondsPerTick, kFootColours[leg],
               8.0 - leg * 2.2);
  }
  DrawAxisTitles(canvas, area, box, "time (s)", "y (mm)");
}

void DrawFootPanel(SvgCanvas& canvas, const Box& box, const FootPanel& panel) {
  DrawTitle(canvas, box, panel.title);
  const double left = box.left + kFootLeftRoom, top = box.top + kTitleHeight;
  const double width = box.width - kFootLeftRoom - kFootRightRoom;
  const double height = box.height - kTitleHeight - kBottomRoom;
  // Equal millimetres per pixel on both axes, the shape centred in the box.
  const double xSpan = panel.xRange.high - panel.xRange.low;
  const double zSpan = panel.zRange.high - panel.zRange.low;
  const double scale = std::min(width / xSpan, height / zSpan);
  const double xMid = (panel.xRange.low + panel.xRange.high) / 2.0;
  const double zMid = (panel.zRange.low + panel.zRange.high) / 2.0;
  PlotArea area{left,
                top,
                width,
                height,
                xMid - width / scale / 2.0,
                xMid + width / scale / 2.0,
                zMid - height / scale / 2.0,
                zMid + height / scale / 2.0,
                panel.zDown};
  const double step = std::max(panel.xRange.step, panel.zRange.step);
  DrawGrid(canvas, area, step, step);

  const FootTrace& trace = *panel.trace;
  canvas.beginPath();
  bool joined = false;
  double endX = 0.0, endZ = 0.0;
  for (const auto& segment : trace.segments()) {
    if (!joined || segment.x0 != endX || segment.z0 != endZ) {
      canvas.moveTo(area.pixelX(segment.x0), area.pixelY(segment.z0));
    }
    canvas.lineTo(area.pixelX(segment.x1), area.pixelY(segment.z1));
    joined = true;
    endX = segment.x1;
    endZ = segment.z1;
  }
  canvas.strokePath({panel.colour, 2.0});
  if (trace.hasLast()) {
    canvas.circle(area.pixelX(trace.lastX()), area.pixelY(trace.lastZ()), 4.0, panel.colour,
                  {"#ffffff", 1.5});
  }
  DrawAxisTitles(canvas, area, box, panel.xTitle, panel.zTitle);
}

double FootPanelHeight(double width, const AxisRange& xRange, const AxisRange& zRange) {
  const double plotWidth = width - kFootLeftRoom - kFootRightRoom;
  const double toScale = plotWidth * (zRange.high - zRange.low) / (xRange.high - xRange.low);
  return std::clamp(toScale, kMinFootPlotHeight, plotWidth) + kTitleHeight + kBottomRoom;
}

void DrawJointLegend(SvgCanvas& canvas, double right, double baseline) {
  constexpr double kItemWidth = 128.0;
  double x = right - 3 * kItemWidth;
  for (int joint = 0; joint < 3; ++joint) {
    canvas.line(x, baseline - 4.0, x + 22.0, baseline - 4.0, {kJointColours[joint], 3.0});
    TextStyle style;
    style.size = 12.0;
    style.colour = "#333a45";
    canvas.text(x + 28.0, baseline, kJointLabels[joint], style);
    x += kItemWidth;
  }
}

}  // namespace trotix
