#include "gaitlab/sim/SimBus.h"

#include <cmath>
#include <vector>

#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/physics/RobotModel.h"
#include "gaitlab/robot/Transmission.h"
#include "gaitlab/tables/ServoTable.h"  // ChannelJoints

namespace trotix {
namespace {

class SimBus : public ServoBus {
 public:
  SimBus(const GaitSettings& gait, const PhysicsParameters& physics)
      : model_(physics, gait.tickPeriodMs, MjcfGaitOf(gait, physics)),
        run_(model_, gait.tickPeriodMs),
        gait_(gait),
        joints_(ChannelJoints(gait)) {
    for (int joint = 0; joint < kJointCount; ++joint) {
      record_.angles[joint] = gait.robot.joints[joint].zero;
    }
    const double settleTicks = std::ceil(kSimSettleSeconds / gait.tickSeconds());
    for (int tick = 0; tick < settleTicks; ++tick) step();
  }

  bool readsBack() const override { return true; }

  BusReadback read() override {
    JointAngles model{};
    for (int joint = 0; joint < kJointCount; ++joint) {
      model[joint] = run_.data().qpos[model_.qposOf(joint)];
    }
    const JointAngles engine = EngineJointAngles(gait_.robot.geometry(), model);
    BusReadback readback;
    readback.count = static_cast<int>(joints_.size());
    for (int i = 0; i < readback.count; ++i) {
      ServoReading& reading = readback.servos[i];
      reading.joint = joints_[i];
      reading.channel = *gait_.robot.joints[joints_[i]].channel;
      reading.answered = true;
      reading.angle = engine[joints_[i]];
    }
    readback.trunkHeightMm = record_.body.height;
    readback.fallen = run_.summary().fell;
    return readback;
  }

  void arm(const BusFrame& hold) override { target(hold); }

  void write(const BusFrame& frame) override {
    target(frame);
    step();
  }

  void torqueOff() noexcept override {}

 private:
  void target(const BusFrame& frame) {
    for (int i = 0; i < frame.count; ++i) {
      record_.angles[frame.servos[i].joint] = frame.servos[i].angle;
    }
  }

  void step() {
    run_.process(record_);
    ++record_.tick;
  }

  RobotModel model_;
  PhysicsRun run_;
  GaitSettings gait_;
  std::vector<int> joints_;
  TickRecord record_;
};

}  // namespace

std::unique_ptr<ServoBus> OpenSimBus(const GaitSettings& gait, const PhysicsParameters& physics) {
  return std::make_unique<SimBus>(gait, physics);
}

}  // namespace trotix
