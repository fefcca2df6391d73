#include "gaitlab/sim/SimBus.h"

#include <cmath>
#include <vector>

#include "gaitlab/physics/JointMapping.h"
#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/physics/RobotModel.h"
#include "gaitlab/tables/ServoTable.h"  // ChannelJoints

namespace trotix {
namespace {

// The engine's angle of each model angle. The mapping is x -> sign * x +
// offset per joint, so its value at 0 and 1 undoes it exactly.
JointAngles EngineJointAngles(const JointAngles& model) {
  const JointAngles offset = ModelJointAngles(JointAngles{});
  JointAngles ones;
  ones.fill(1.0);
  const JointAngles onePlusOffset = ModelJointAngles(ones);
  JointAngles engine{};
  for (int joint = 0; joint < kJointCount; ++joint) {
    const double sign = onePlusOffset[joint] - offset[joint];
    engine[joint] = (model[joint] - offset[joint]) / sign;
  }
  return engine;
}

class SimBus : public ServoBus {
 public:
  SimBus(const GaitSettings& gait, const PhysicsParameters& physics)
      : model_(physics, gait.tickPeriodMs, MjcfGaitOf(gait, physics)),
        run_(model_, gait.tickPeriodMs),
        gait_(gait),
        joints_(ChannelJoints(gait)) {
    for (int joint = 0; joint < kJointCount; ++joint) {
      record_.angles[joint] = gait.joints[joint].zero;
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
    const JointAngles engine = EngineJointAngles(model);
    BusReadback readback;
    readback.count = static_cast<int>(joints_.size());
    for (int i = 0; i < readback.count; ++i) {
      ServoReading& reading = readback.servos[i];
      reading.joint = joints_[i];
      reading.channel = *gait_.joints[joints_[i]].channel;
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
