// What trotix-gait's physics options ask of MuJoCo. A build without MuJoCo
// links a version of these that refuses in one line (PhysicsUnavailable.cpp).
#ifndef TROTIX_GAITLAB_PHYSICSCHECK_H_
#define TROTIX_GAITLAB_PHYSICSCHECK_H_

#include <atomic>
#include <memory>
#include <string>

#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/physics/PhysicsSummary.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

class PhysicsRun;

// The robot model and one run of it, to hand to RunGait as its stage.
class PhysicsCheck {
 public:
  virtual ~PhysicsCheck() = default;
  virtual TickStage& stage() = 0;
  // The first call walks the ensemble's other members (most of its work),
  // stopping as stopWhen() says; later calls repeat what it found.
  virtual PhysicsSummary summary() const = 0;
  // The run whose model and state a picture shows: the first member's.
  virtual PhysicsRun& run() = 0;
  // The first model's state at every tick's end (PhysicsRun::replayCsv);
  // kept from the first tick on only when asked before the run.
  virtual void keepReplay() = 0;
  virtual std::string replayCsv() const = 0;
  // The first model's state as the run began (PhysicsRun::startState).
  virtual MjcfState startState() const = 0;
  // Makes the stage and the first summary() throw RunStopped between ticks
  // once `stop` is set; nullptr: never. By default a run always ends.
  virtual void stopWhen(const std::atomic<bool>* /*stop*/) {}
};

// An ensemble of `members` runs (PhysicsEnsemble.h), the others walking on
// `threads` threads (0: one per core); the stage's records get the first
// member's trunk pose. Throws InputError naming the check as `what` when
// built without MuJoCo.
std::unique_ptr<PhysicsCheck> MakePhysicsCheck(const PhysicsParameters& parameters,
                                               const GaitSettings& gait, const std::string& what,
                                               int members = kDefaultEnsembleMembers,
                                               unsigned threads = 0);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSCHECK_H_
