// The physics options' work, in MuJoCo.
#include "tools/physics/PhysicsCheck.h"

#include "tools/physics/PhysicsMap.h"
#include "tools/physics/PhysicsMapPlot.h"
#include "tools/physics/PhysicsRun.h"
#include "tools/physics/RobotModel.h"

namespace trotix {
namespace {

class MujocoPhysicsCheck : public PhysicsCheck {
 public:
  MujocoPhysicsCheck(const PhysicsParameters& parameters, const GaitSettings& gait)
      : model_(parameters, gait.tickPeriodMs), run_(model_, gait.tickPeriodMs) {}
  TickStage& stage() override { return run_; }
  PhysicsSummary summary() const override { return run_.summary(); }

 private:
  RobotModel model_;
  PhysicsRun run_;
};

}  // namespace

std::unique_ptr<PhysicsCheck> MakePhysicsCheck(const PhysicsParameters& parameters,
                                               const GaitSettings& gait, const std::string&) {
  return std::make_unique<MujocoPhysicsCheck>(parameters, gait);
}

std::string PhysicsMapSvg(const PhysicsParameters& parameters, const GaitSettings& gait,
                          const std::string& caption) {
  const RobotModel model(parameters, gait.tickPeriodMs);
  return DrawPhysicsMap(RunPhysicsMap(model, gait), caption);
}

}  // namespace trotix
