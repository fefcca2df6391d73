// The one place a bus is made from its URI.
#ifndef TROTIX_GAITLAB_BUS_OPENSERVOBUS_H_
#define TROTIX_GAITLAB_BUS_OPENSERVOBUS_H_

#include <memory>
#include <string>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// Opens the bus `uri` names for the gait's channels and calibration.
// Throws InputError for a URI or gait that cannot describe it (an unknown
// scheme, a bad port, a channel the bus has no room for), BusFault when
// the bus cannot be reached, OutputError when a record cannot be created.
std::unique_ptr<ServoBus> OpenServoBus(const std::string& uri, const GaitSettings& gait);

// The forms the schemes take, for --help and messages:
// "record:FILE.csv, udp:HOST:PORT, ...".
std::string BusForms();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_OPENSERVOBUS_H_
