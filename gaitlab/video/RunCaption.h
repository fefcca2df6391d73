// The caption over the robot: what the sliders say and what the trunk does,
// as two columns of lines, labels and values.
#ifndef TROTIX_GAITLAB_RUNCAPTION_H_
#define TROTIX_GAITLAB_RUNCAPTION_H_

#include <string>

#include "gaitlab/run/Schedule.h"

namespace trotix {

struct RunCaption {
  std::string labels, values;

  void add(const std::string& label, const std::string& value);
};

// The time into the run and the sliders' positions.
RunCaption DescribeMoment(double seconds, SliderPositions sliders);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_RUNCAPTION_H_
