// A physics run as a small ensemble: the same ticks walked by a few models
// whose masses and friction differ by a few per cent and whose servos get
// slightly noisy commands, so that a verdict which one run's chaos decides
// shows as a spread. Seeded: the same ensemble gives the same bytes.
#ifndef TROTIX_GAITLAB_PHYSICSENSEMBLE_H_
#define TROTIX_GAITLAB_PHYSICSENSEMBLE_H_

#include <atomic>
#include <memory>
#include <vector>

#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// Member 0 is the model as given, with the angles as commanded; every other
// member scales each mass by up to +-kMassSpread, the friction by up to
// +-kFrictionSpread, and moves every commanded angle by up to
// +-kAngleNoiseRad each tick (about a hobby servo's dead band).
constexpr double kMassSpread = 0.03;
constexpr double kFrictionSpread = 0.05;
constexpr double kAngleNoiseRad = 0.002;

// The models of the members, compiled once; several ensembles may share them.
class EnsembleModels {
 public:
  EnsembleModels(const PhysicsParameters& parameters, const GaitSettings& gait, int members);
  int size() const { return static_cast<int>(models_.size()); }
  const RobotModel& member(int index) const { return *models_[index]; }

 private:
  std::vector<std::unique_ptr<RobotModel>> models_;
};

// Member `index`'s parameters.
PhysicsParameters MemberParameters(const PhysicsParameters& parameters, int index);

class EnsembleRun : public TickStage {
 public:
  EnsembleRun(const EnsembleModels& models, double tickPeriodMs);

  // Member 0 walks the record itself (its trunk pose goes into the rows);
  // the others walk copies.
  void process(TickRecord& record) override;

  PhysicsSummary summary() const;
  // From now on, process() throws RunStopped before a member's tick once
  // `stop` is set.
  void stopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

  PhysicsRun& first() { return *runs_[0]; }
  const PhysicsRun& first() const { return *runs_[0]; }

 private:
  std::vector<std::unique_ptr<PhysicsRun>> runs_;
  const std::atomic<bool>* stop_ = nullptr;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSENSEMBLE_H_
