// The gait file's `bus` section: where the robot's servos are, so that
// trotix-drive needs no --bus, e.g.
//   bus: {uri: "dynamixel:/dev/ttyUSB0@1000000"}
// Every bus takes its settings in its URI (docs/buses.md); --bus on the
// command line wins over the section.
#ifndef TROTIX_GAITLAB_GAITFILE_BUSSECTION_H_
#define TROTIX_GAITLAB_GAITFILE_BUSSECTION_H_

#include <string>

#include "gaitlab/gaitfile/GaitFile.h"

namespace trotix {

struct BusSettings {
  std::string uri;  // empty: none given
};

// A reader that writes the section into `bus`, which must outlive it.
GaitFileSection BusSection(BusSettings& bus);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITFILE_BUSSECTION_H_
