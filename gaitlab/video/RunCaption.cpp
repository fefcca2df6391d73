#include "gaitlab/video/RunCaption.h"

#include <cstdio>

namespace trotix {

void RunCaption::add(const std::string& label, const std::string& value) {
  if (!labels.empty()) {
    labels += '\n';
    values += '\n';
  }
  labels += label;
  values += value;
}

RunCaption DescribeMoment(double seconds, SliderPositions sliders) {
  char time[32];
  std::snprintf(time, sizeof time, "%.2f s", seconds);
  RunCaption caption;
  caption.add("time", time);
  caption.add("turn", std::to_string(sliders.turn));
  caption.add("step", std::to_string(sliders.step));
  return caption;
}

}  // namespace trotix
