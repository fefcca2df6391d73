// The physics options' work, in MuJoCo.
#include "gaitlab/physics/PhysicsCheck.h"

#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/physics/RobotModel.h"

namespace trotix {
namespace {

class MujocoPhysicsCheck : public PhysicsCheck {
 public:
  MujocoPhysicsCheck(const PhysicsParameters& parameters, const GaitSettings& gait)
      : model_(parameters, gait.tickPeriodMs), run_(model_, gait.tickPeriodMs) {}
  TickStage& stage() override { return run_; }
  PhysicsSummary summary() const override { return run_.summary(); }
  PhysicsRun& run() override { return run_; }

 private:
  RobotModel model_;
  PhysicsRun run_;
};

}  // namespace

std::unique_ptr<PhysicsCheck> MakePhysicsCheck(const PhysicsParameters& parameters,
                                               const GaitSettings& gait, const std::string&) {
  return std::make_unique<MujocoPhysicsCheck>(parameters, gait);
}

}  // namespace trotix
