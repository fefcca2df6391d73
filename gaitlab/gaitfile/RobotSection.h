// The gait file's `robot` section: the legs' dimensions and where the
// shoulders sit (GaitFileKeys.h's RobotKeys), e.g.
//   robot:
//     upper_leg_mm: 70.08
//     lower_leg_mm: {front: 76.896944, rear: 79.409949}
// Keys left out keep the built-in robot's values.
#ifndef TROTIX_GAITLAB_ROBOTSECTION_H_
#define TROTIX_GAITLAB_ROBOTSECTION_H_

#include <string>

#include "gaitlab/gaitfile/YamlFields.h"
#include "gaitlab/robot/RobotDescription.h"

namespace trotix {

// Reads the section into `robot` and refuses, in one line naming the key,
// dimensions that would leave the leg solver undefined.
void ReadRobotSection(const YAML::Node& map, const YamlFields& fields, RobotDescription& robot);

// The section as gait file text, every key given; empty when the robot's
// legs and shoulders are the built-in robot's.
std::string RobotSectionText(const RobotDescription& robot);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ROBOTSECTION_H_
