// What the module's Gait object holds: a gait file's settings and the robot
// model of its physics section.
#ifndef TROTIX_PYTHON_GAITDESCRIPTION_H_
#define TROTIX_PYTHON_GAITDESCRIPTION_H_

#include <string>

#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

struct GaitDescription {
  GaitSettings settings = DefaultGaitSettings();
  PhysicsParameters physics;
};

// Parses gait file text; `name` starts every message.
GaitDescription ParseGaitDescription(const std::string& text, const std::string& name);
GaitDescription LoadGaitDescription(const std::string& path);
// The text that --print-gait writes, which the parser reads back to the same values.
std::string GaitDescriptionText(const GaitDescription& gait);

}  // namespace trotix

#endif  // TROTIX_PYTHON_GAITDESCRIPTION_H_
