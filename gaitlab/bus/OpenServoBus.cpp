#include "gaitlab/bus/OpenServoBus.h"

#include "gaitlab/bus/BusUri.h"
#include "gaitlab/bus/DynamixelBus.h"
#include "gaitlab/bus/FrameBus.h"
#include "gaitlab/bus/Lx16aBus.h"
#include "gaitlab/bus/Pca9685Bus.h"
#include "gaitlab/bus/RecordBus.h"
#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

using BusOpener = std::unique_ptr<ServoBus> (*)(const std::string& target,
                                                const GaitSettings& gait);

struct BusScheme {
  const char* name;
  const char* form;
  BusOpener open;
};

std::unique_ptr<ServoBus> OpenDynamixel(const std::string& target, const GaitSettings& gait) {
  const DeviceAndBaud line = ParseDeviceAndBaud(target, kDynamixelDefaultBaud, "dynamixel");
  return OpenDynamixelBus(line.device, line.baud, gait);
}

std::unique_ptr<ServoBus> OpenLx16a(const std::string& target, const GaitSettings& gait) {
  const DeviceAndBaud line = ParseDeviceAndBaud(target, kLx16aDefaultBaud, "lx16a");
  return OpenLx16aBus(line.device, line.baud, gait);
}

std::unique_ptr<ServoBus> OpenPca9685(const std::string& target, const GaitSettings& gait) {
  const DeviceAndAddress board = ParseDeviceAndAddress(target, kPca9685DefaultAddress, "pca9685");
  return OpenPca9685Bus(board.device, board.address, gait);
}

// One line per kind of bus. Each opener takes the URI's target, the part
// after "SCHEME:", and the gait.
const BusScheme kSchemes[] = {
    {"record", "record:FILE.csv", OpenRecordBus},
    {"udp", "udp:HOST:PORT", OpenDatagramBus},
    {"serial", "serial:DEVICE[@BAUD]", OpenSerialBus},
    {"pca9685", "pca9685:/dev/i2c-N[@0xADDR]", OpenPca9685},
    {"dynamixel", "dynamixel:DEVICE[@BAUD]", OpenDynamixel},
    {"lx16a", "lx16a:DEVICE[@BAUD]", OpenLx16a},
};

}  // namespace

std::string BusForms() {
  std::string forms;
  for (const BusScheme& scheme : kSchemes) {
    forms += (forms.empty() ? "" : ", ") + std::string(scheme.form);
  }
  return forms;
}

std::unique_ptr<ServoBus> OpenServoBus(const std::string& uri, const GaitSettings& gait) {
  const BusUri parsed = ParseBusUri(uri);
  for (const BusScheme& scheme : kSchemes) {
    if (parsed.scheme == scheme.name) return scheme.open(parsed.target, gait);
  }
  throw InputError(QuoteForMessage(uri) + ": no bus is called " + QuoteForMessage(parsed.scheme) +
                   " (the buses: " + BusForms() + ")");
}

}  // namespace trotix
