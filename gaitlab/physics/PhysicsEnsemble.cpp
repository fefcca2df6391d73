#include "gaitlab/physics/PhysicsEnsemble.h"

#include <algorithm>
#include <random>

#include "gaitlab/physics/EnsembleSummary.h"
#include "gaitlab/physics/FallEstimate.h"
#include "gaitlab/physics/ParallelWork.h"

namespace trotix {
namespace {

// Seeds far apart for the members' parameters and their angle noise.
constexpr std::uint64_t kParameterSeed = 0x7f4a7c159e3779b9;
constexpr std::uint64_t kNoiseSeed = 0x2545f4914f6cdd1d;

AngleNoise MemberNoise(int index) {
  return {index == 0 ? 0.0 : kAngleNoiseRad, kNoiseSeed + static_cast<std::uint64_t>(index)};
}

}  // namespace

PhysicsParameters MemberParameters(const PhysicsParameters& parameters, int index) {
  PhysicsParameters p = parameters;
  if (index == 0) return p;
  std::mt19937_64 random(kParameterSeed + static_cast<std::uint64_t>(index));
  for (double* mass : {&p.bodyMassKg, &p.upperLinkMassKg, &p.lowerLinkMassKg}) {
    *mass *= 1.0 + kMassSpread * UniformSigned(random);
  }
  p.friction *= 1.0 + kFrictionSpread * UniformSigned(random);
  return p;
}

EnsembleModels::EnsembleModels(const PhysicsParameters& parameters, const GaitSettings& gait,
                               int cap)
    : parameters_(parameters),
      tickPeriodMs_(gait.tickPeriodMs),
      ranges_(MjcfGaitOf(gait, parameters)),
      models_(static_cast<std::size_t>(std::max(cap, 1))) {
  member(0);  // a model MuJoCo refuses is refused before the run
}

// Compiled one at a time: MuJoCo's compiler is not known to be thread-safe.
const RobotModel& EnsembleModels::member(int index) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::unique_ptr<RobotModel>& model = models_[static_cast<std::size_t>(index)];
  if (!model) {
    model =
        std::make_unique<RobotModel>(MemberParameters(parameters_, index), tickPeriodMs_, ranges_);
  }
  return *model;
}

EnsembleRun::EnsembleRun(const EnsembleModels& models, double tickPeriodMs, unsigned threads)
    : models_(models),
      tickPeriodMs_(tickPeriodMs),
      threads_(threads),
      first_(models.member(0), tickPeriodMs, MemberNoise(0)) {}

void EnsembleRun::process(TickRecord& record) {
  ThrowIfStopped(stop_);
  summary_.reset();
  if (models_.cap() > 1) kept_.push_back({record.tick, record.angles, record.targets});
  first_.process(record);
}

PhysicsSummary EnsembleRun::walkMember(int index) const {
  PhysicsRun run(models_.member(index), tickPeriodMs_, MemberNoise(index));
  TickRecord record;
  for (const KeptTick& kept : kept_) {
    ThrowIfStopped(stop_);
    record.tick = kept.tick;
    record.angles = kept.angles;
    record.targets = kept.targets;
    run.process(record);
  }
  return run.summary();
}

// Each batch's members walk in parallel; whether another batch follows
// depends only on the members' results, so the thread count changes nothing.
PhysicsSummary EnsembleRun::combineMembers() const {
  std::vector<PhysicsSummary> members = {first_.summary()};
  const int cap = models_.cap();
  for (int walked = 1; walked < cap;) {
    const int target = std::min(cap, walked == 1 ? kFirstMembers : walked + kMoreMembers);
    members.resize(static_cast<std::size_t>(target));
    RunInParallel(static_cast<std::size_t>(target - walked), threads_, [&](std::size_t i) {
      const int index = walked + static_cast<int>(i);
      members[static_cast<std::size_t>(index)] = walkMember(index);
    });
    walked = target;
    if (CombineSummaries(members).fall.verdict != FallVerdict::kUncertain) break;
  }
  return CombineSummaries(members);
}

PhysicsSummary EnsembleRun::summary() const {
  if (!summary_) summary_ = combineMembers();
  return *summary_;
}

}  // namespace trotix
