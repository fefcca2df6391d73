#include "gaitlab/plot/PlotAxis.h"

#include <algorithm>
#include <cmath>

namespace trotix {

double NiceStep(double span, int targetCount) {
  if (!(span > 0.0) || !std::isfinite(span)) return 1.0;
  const double rough = span / (targetCount > 0 ? targetCount : 1);
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * magnitude >= rough) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

std::vector<double> TickValues(double low, double high, double step) {
  std::vector<double> ticks;
  if (!(step > 0.0) || !(high >= low)) return ticks;
  const double first = std::ceil(low / step - 1e-9);
  for (double k = first; k * step <= high + step * 1e-9 && ticks.size() < 1000; k += 1.0) {
    const double value = k * step;
    ticks.push_back(std::abs(value) < step * 1e-9 ? 0.0 : value);  // no "-0"
  }
  return ticks;
}

AxisRange NiceRange(double low, double high, int targetCount) {
  if (!std::isfinite(low) || !std::isfinite(high) || high < low) low = high = 0.0;
  if (high - low < 1e-9) {
    const double pad = std::max(std::abs(low) * 0.1, 1.0);
    low -= pad;
    high += pad;
  }
  const double step = NiceStep(high - low, targetCount);
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

}  // namespace trotix
