// A bus that records every call in order, for tests of the drive: 'a' arm,
// 'w' write, 'o' torque off, 'r' read; it can fail one tick's write, and
// take its time to arm.
#ifndef TROTIX_TESTING_BUS_CALLRECORDINGBUS_H_
#define TROTIX_TESTING_BUS_CALLRECORDINGBUS_H_

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "gaitlab/bus/ServoBus.h"

namespace trotix {

class CallRecordingBus : public ServoBus {
 public:
  // Reserved, so that recording allocates nothing while the drive runs.
  CallRecordingBus() { calls.reserve(100000); }

  bool readsBack() const override { return false; }
  BusReadback read() override {
    calls += 'r';
    return {};
  }
  void arm(const BusFrame&) override {
    std::this_thread::sleep_for(armTakes);
    calls += 'a';
  }
  void write(const BusFrame& frame) override {
    if (faultAt >= 0 && frame.tick == faultAt) throw BusFault("servo 4 (leg1_roll) is silent");
    calls += 'w';
  }
  void torqueOff() noexcept override { calls += 'o'; }

  std::string calls;
  std::int64_t faultAt = -1;  // the tick whose write fails; -1: none
  std::chrono::milliseconds armTakes{0};
};

}  // namespace trotix

#endif  // TROTIX_TESTING_BUS_CALLRECORDINGBUS_H_
