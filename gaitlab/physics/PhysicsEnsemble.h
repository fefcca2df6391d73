// A physics run as an ensemble: the same ticks walked by models that differ
// as far as the real robot may differ from the model (its masses, friction,
// servos, weight's place, start and time step; PhysicsParameters.h's
// EnsembleSpread) and whose servos get slightly noisy commands, so that a
// verdict which one run's chaos or one guess at a parameter decides shows
// as a spread. Members are added until the fall verdict is clear
// (FallEstimate.h) or the cap is reached. Seeded: the same ensemble gives
// the same bytes, on any number of threads.
#ifndef TROTIX_GAITLAB_PHYSICSENSEMBLE_H_
#define TROTIX_GAITLAB_PHYSICSENSEMBLE_H_

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// Member 0 is the model as given, upright, with the angles as commanded;
// every other member's parameters, start and noise are drawn within the
// spread, from its index and the spread's seed alone.
struct MemberDraw {
  PhysicsParameters parameters;
  AngleNoise noise;
  StartTilt start;
};
MemberDraw DrawMember(const PhysicsParameters& parameters, int index);

// An ensemble first walks kFirstMembers members, then kMoreMembers more at
// a time while its verdict is uncertain, up to its cap; it stops sooner once
// no outcome of the members left could make the verdict clear.
constexpr int kFirstMembers = 6;
constexpr int kMoreMembers = 6;

// The models of up to `cap` members, each compiled when first asked for;
// several ensembles, on several threads, may share them.
class EnsembleModels {
 public:
  EnsembleModels(const PhysicsParameters& parameters, const GaitSettings& gait, int cap);
  int cap() const { return static_cast<int>(models_.size()); }
  const RobotModel& member(int index) const;
  const MemberDraw& draw(int index) const { return draws_[static_cast<std::size_t>(index)]; }

 private:
  PhysicsParameters parameters_;
  double tickPeriodMs_;
  std::vector<MemberDraw> draws_;
  MjcfGait ranges_;
  mutable std::mutex mutex_;
  mutable std::vector<std::unique_ptr<RobotModel>> models_;
};

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
