// The unit angles are written in. Radians are the program's own and need no
// mark; any other unit is named in the headers (leg0_pitch_deg) and reports.
#ifndef TROTIX_GAITLAB_ANGLEUNIT_H_
#define TROTIX_GAITLAB_ANGLEUNIT_H_

#include <string>

#include "trotix/WalkTypes.h"  // kDegreesPerRadian

namespace trotix {

struct AngleUnit {
  double scale = 1.0;  // written value per radian
  const char* name = "rad";

  bool isRadians() const { return scale == 1.0; }
  // Appended to the name of a column or key that holds angles.
  std::string suffix() const { return isRadians() ? "" : std::string("_") + name; }
};

constexpr AngleUnit kRadians{1.0, "rad"};
constexpr AngleUnit kDegrees{kDegreesPerRadian, "deg"};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ANGLEUNIT_H_
