// Axis arithmetic for the plot: round tick steps and value-to-pixel mapping.
#ifndef TROTIX_GAITLAB_PLOTAXIS_H_
#define TROTIX_GAITLAB_PLOTAXIS_H_

#include <vector>

namespace trotix {

// A step of 1, 2 or 5 times a power of ten giving about `targetCount`
// intervals over `span`.
double NiceStep(double span, int targetCount);

// The multiples of `step` within [low, high].
std::vector<double> TickValues(double low, double high, double step);

// Widens [low, high] outwards to multiples of a nice step; an empty or
// degenerate range becomes one around its value.
struct AxisRange {
  double low;
  double high;
  double step;
};
AxisRange NiceRange(double low, double high, int targetCount);

// A rectangle of the picture showing [x0, x1] x [y0, y1]; y grows upwards
// unless `yDown` is set.
struct PlotArea {
  double left, top, width, height;
  double x0, x1, y0, y1;
  bool yDown = false;

  double pixelX(double x) const { return left + (x - x0) / (x1 - x0) * width; }
  double pixelY(double y) const {
    const double fraction = (y - y0) / (y1 - y0);
    return yDown ? top + fraction * height : top + height - fraction * height;
  }
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PLOTAXIS_H_
