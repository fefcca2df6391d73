#include "gaitlab/bus/OpenServoBus.h"

#include "gaitlab/bus/BusUri.h"
#include "gaitlab/bus/FrameBus.h"
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

// One line per kind of bus. Each opener takes the URI's target, the part
// after "SCHEME:", and the gait.
const BusScheme kSchemes[] = {
    {"record", "record:FILE.csv", OpenRecordBus},
    {"udp", "udp:HOST:PORT", OpenDatagramBus},
    {"serial", "serial:DEVICE[@BAUD]", OpenSerialBus},
    // Bus servos and PWM boards:
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
