#include "gaitlab/plot/PhysicsMapPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "gaitlab/plot/SvgCanvas.h"

namespace trotix {
namespace {

constexpr double kCell = 52.0;
constexpr double kPanelLeft[2] = {110.0, 690.0};
constexpr double kPanelTop = 120.0;
constexpr double kPageWidth = 1230.0;
constexpr double kPageHeight = kPanelTop + kMapRows * kCell + 110.0;

struct MapQuantity {
  const char* title;
  const char* unit;
  std::function<double(const PhysicsSummary&)> value;
};

// White at 0, red for positive and blue for negative values, full at +-1.
std::string Shade(double t) {
  t = std::clamp(t, -1.0, 1.0);
  const double a = std::abs(t);
  const auto mix = [a](int full) { return static_cast<int>(std::lround(255 + (full - 255) * a)); };
  char text[8];
  if (t >= 0) {
    std::snprintf(text, sizeof text, "#%02x%02x%02x", mix(200), mix(50), mix(40));
  } else {
    std::snprintf(text, sizeof text, "#%02x%02x%02x", mix(40), mix(100), mix(190));
  }
  return text;
}

TextStyle Style(double size, TextAnchor anchor, const char* colour = "#1d2129") {
  TextStyle style;
  style.size = size;
  style.anchor = anchor;
  style.colour = colour;
  return style;
}

// Fallen cells are grey, uncertain ones pale yellow.
const char* FallenFill(FallVerdict verdict) {
  return verdict == FallVerdict::kFalls ? "#9a9ea6" : "#f3e3a1";
}

// "fell" where every member fell, else the share that did: "fell 80%",
// "? 40%".
std::string FallLabel(const FallEstimate& fall) {
  if (fall.probability >= 1.0) return "fell";
  const std::string percent = std::to_string(std::lround(fall.probability * 100)) + "%";
  return (fall.verdict == FallVerdict::kFalls ? "fell " : "? ") + percent;
}

void DrawAxes(SvgCanvas& canvas, double left, const std::vector<MapCell>& cells) {
  for (int column = 0; column < kMapColumns; ++column) {
    canvas.text(left + (column + 0.5) * kCell, kPanelTop + kMapRows * kCell + 18.0,
                std::to_string(cells[column].turn), Style(12.0, TextAnchor::kMiddle));
  }
  for (int row = 0; row < kMapRows; ++row) {
    canvas.text(left - 8.0, kPanelTop + (row + 0.5) * kCell + 4.0,
                std::to_string(cells[row * kMapColumns].step), Style(12.0, TextAnchor::kEnd));
  }
  canvas.text(left + kMapColumns * kCell / 2.0, kPanelTop + kMapRows * kCell + 40.0,
              "turn (horizontal slider)", Style(13.0, TextAnchor::kMiddle));
  TextStyle vertical = Style(13.0, TextAnchor::kMiddle);
  vertical.rotate = -90.0;
  canvas.text(left - 52.0, kPanelTop + kMapRows * kCell / 2.0,
              "step (vertical slider; its top, -130, walks forwards)", vertical);
}

void DrawPanel(SvgCanvas& canvas, double left, const MapQuantity& quantity,
               const std::vector<MapCell>& cells) {
  // The colours span the settings that stayed upright: a fallen robot's
  // tumbling would wash them out.
  double largest = 1e-9;
  for (const MapCell& cell : cells) {
    if (cell.summary.fall.verdict == FallVerdict::kWalks)
      largest = std::max(largest, std::abs(quantity.value(cell.summary)));
  }
  TextStyle title = Style(16.0, TextAnchor::kStart);
  title.bold = true;
  canvas.text(left, kPanelTop - 14.0, std::string(quantity.title) + " (" + quantity.unit + ")",
              title);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const double x = left + static_cast<double>(i % kMapColumns) * kCell;
    const double y = kPanelTop + static_cast<double>(i / kMapColumns) * kCell;
    const double value = quantity.value(cells[i].summary);
    const FallEstimate& fall = cells[i].summary.fall;
    const bool walks = fall.verdict == FallVerdict::kWalks;
    const double t = value / largest;
    canvas.rect(x, y, kCell, kCell, walks ? Shade(t) : FallenFill(fall.verdict), {"#ffffff", 1.0});
    const char* ink = walks && std::abs(t) > 0.6 ? "#ffffff" : "#1d2129";
    canvas.text(x + kCell / 2.0, y + kCell / 2.0 + (walks ? 4.0 : -2.0),
                std::to_string(std::lround(value)), Style(12.0, TextAnchor::kMiddle, ink));
    if (!walks) {
      canvas.text(x + kCell / 2.0, y + kCell / 2.0 + 13.0, FallLabel(fall),
                  Style(11.0, TextAnchor::kMiddle,
                        fall.verdict == FallVerdict::kFalls ? "#ffffff" : "#1d2129"));
    }
    if (cells[i].summary.membersDisagree) {
      canvas.rect(x + 3.0, y + 3.0, kCell - 6.0, kCell - 6.0, "none", {"#f2a20c", 3.0});
    }
  }
  DrawAxes(canvas, left, cells);
}

}  // namespace

std::string DrawPhysicsMap(const std::vector<MapCell>& cells, const std::string& caption) {
  SvgCanvas canvas(kPageWidth, kPageHeight);
  canvas.rect(0, 0, kPageWidth, kPageHeight, "#ffffff");
  TextStyle heading = Style(22.0, TextAnchor::kStart);
  heading.bold = true;
  canvas.text(32.0, 40.0, "Trotix slider map: what the sliders make the robot model do", heading);
  canvas.text(32.0, 64.0, caption, Style(13.0, TextAnchor::kStart, "#5b6270"));
  canvas.text(32.0, 84.0,
              "red: forwards or turning left; blue: backwards or turning right; grey: it falls; "
              "yellow: uncertain (the share that fell); orange frame: the models disagree",
              Style(13.0, TextAnchor::kStart, "#5b6270"));
  const MapQuantity quantities[2] = {
      {"Forward speed", "mm/s", [](const PhysicsSummary& s) { return s.forwardSpeedMmS; }},
      {"Yaw rate", "deg/s, positive turns left",
       [](const PhysicsSummary& s) { return s.yawRateDegS; }}};
  for (int panel = 0; panel < 2; ++panel) {
    DrawPanel(canvas, kPanelLeft[panel], quantities[panel], cells);
  }
  return canvas.finish();
}

}  // namespace trotix
