// A physics run as an ensemble: the same ticks walked by models whose
// masses and friction differ by a few per cent and whose servos get
// slightly noisy commands, so that a verdict which one run's chaos decides
// shows as a spread. Members are added until the fall verdict is clear
// (FallEstimate.h) or the cap is reached. Seeded: the same ensemble gives
// the same bytes, on any number of threads.
#ifndef TROTIX_GAITLAB_PHYSICSENSEMBLE_H_
#define TROTIX_GAITLAB_PHYSICSENSEMBLE_H_

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "gaitlab/gait/GaitSettings.h"
#include "gaitlab/physics/PhysicsRun.h"

namespace trotix {

// Member 0 is the model as given, with the angles as commanded; every other
// member scales each mass by up to +-kMassSpread, the friction by up to
// +-kFrictionSpread, and moves every commanded angle by up to
// +-kAngleNoiseRad each tick (about a hobby servo's dead band).
constexpr double kMassSpread = 0.03;
constexpr double kFrictionSpread = 0.05;
constexpr double kAngleNoiseRad = 0.002;

// An ensemble first walks kFirstMembers members, then kMoreMembers more at
// a time while its verdict is uncertain, up to its cap.
constexpr int kFirstMembers = 6;
constexpr int kMoreMembers = 6;

// The models of up to `cap` members, each compiled when first asked for;
// several ensembles, on several threads, may share them.
class EnsembleModels {
 public:
  EnsembleModels(const PhysicsParameters& parameters, const GaitSettings& gait, int cap);
  int cap() const { return static_cast<int>(models_.size()); }
  const RobotModel& member(int index) const;

 private:
  PhysicsParameters parameters_;
  double tickPeriodMs_;
  MjcfGait ranges_;
  mutable std::mutex mutex_;
  mutable std::vector<std::unique_ptr<RobotModel>> models_;
};

// Member `index`'s parameters.
PhysicsParameters MemberParameters(const PhysicsParameters& parameters, int index);

class EnsembleRun : public TickStage {
 public:
  // The other members walk on `threads` threads (0: one per core).
  EnsembleRun(const EnsembleModels& models, double tickPeriodMs, unsigned threads = 0);

  // Member 0 walks the record itself (its trunk pose goes into the rows);
  // the commands are kept for the others.
  void process(TickRecord& record) override;

  // The first call walks the other members over the kept ticks (which takes
  // most of an ensemble's time) and combines them; later calls repeat it.
  PhysicsSummary summary() const;
  // From now on, process() and summary() throw RunStopped before a tick
  // once `stop` is set.
  void stopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

  PhysicsRun& first() { return first_; }
  const PhysicsRun& first() const { return first_; }

 private:
  struct KeptTick {
    std::int64_t tick;
    JointAngles angles;
    std::array<std::array<double, 3>, kLegCount> targets;
  };

  PhysicsSummary walkMember(int index) const;
  PhysicsSummary combineMembers() const;

  const EnsembleModels& models_;
  double tickPeriodMs_;
  unsigned threads_;
  PhysicsRun first_;
  std::vector<KeptTick> kept_;
  const std::atomic<bool>* stop_ = nullptr;
  mutable std::optional<PhysicsSummary> summary_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSENSEMBLE_H_
