// The physics options' work, in MuJoCo.
#include "gaitlab/physics/PhysicsCheck.h"

#include "gaitlab/physics/PhysicsEnsemble.h"

namespace trotix {
namespace {

class MujocoPhysicsCheck : public PhysicsCheck {
 public:
  MujocoPhysicsCheck(const PhysicsParameters& parameters, const GaitSettings& gait, int members,
                     unsigned threads)
      : models_(parameters, gait, members), run_(models_, gait.tickPeriodMs, threads) {}
  TickStage& stage() override { return run_; }
  PhysicsSummary summary() const override { return run_.summary(); }
  PhysicsRun& run() override { return run_.first(); }
  void keepReplay() override { run_.first().keepReplay(); }
  std::string replayCsv() const override { return run_.first().replayCsv(); }
  MjcfState startState() const override { return run_.first().startState(); }
  void stopWhen(const std::atomic<bool>* stop) override { run_.stopWhen(stop); }

 private:
  EnsembleModels models_;
  EnsembleRun run_;
};

}  // namespace

std::unique_ptr<PhysicsCheck> MakePhysicsCheck(const PhysicsParameters& parameters,
                                               const GaitSettings& gait, const std::string&,
                                               int members, unsigned threads) {
  return std::make_unique<MujocoPhysicsCheck>(parameters, gait, members, threads);
}

}  // namespace trotix
