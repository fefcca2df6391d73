#include "gaitlab/physics/PhysicsEnsemble.h"

#include <algorithm>
#include <random>

#include "gaitlab/physics/EnsembleSummary.h"
#include "gaitlab/physics/FallEstimate.h"
#include "gaitlab/physics/ParallelWork.h"

namespace trotix {
namespace {

// Seeds far apart for the members' parameters and their angle noise, and
// an odd step between ensembles.
constexpr std::uint64_t kParameterSeed = 0x7f4a7c159e3779b9;
constexpr std::uint64_t kNoiseSeed = 0x2545f4914f6cdd1d;
constexpr std::uint64_t kSeedStep = 0x9e3779b97f4a7c15;

constexpr double kRadiansPerDegree = kTruePi / 180.0;

// Whether more members, up to `cap`, could still make an uncertain verdict
// clear: if every one of them walked, or every one fell.
bool CouldStillChange(const std::vector<PhysicsSummary>& members, int cap) {
  int fallen = 0;
  for (const PhysicsSummary& m : members) fallen += m.fell;
  const int walked = static_cast<int>(members.size());
  return EstimateFalls(fallen, walked).verdict == FallVerdict::kUncertain &&
         (EstimateFalls(fallen, cap).verdict == FallVerdict::kWalks ||
          EstimateFalls(fallen + cap - walked, cap).verdict == FallVerdict::kFalls);
}

}  // namespace

MemberDraw DrawMember(const PhysicsParameters& parameters, int index) {
  MemberDraw draw{parameters, {}, {}};
  if (index == 0) return draw;
  const EnsembleSpread& spread = parameters.spread;
  const std::uint64_t member = static_cast<std::uint64_t>(index) + spread.seed * kSeedStep;
  std::mt19937_64 random(kParameterSeed + member);
  const auto scale = [&random](double& value, double amplitude) {
    value *= 1.0 + amplitude * UniformSigned(random);
  };
  PhysicsParameters& p = draw.parameters;
  for (double* mass : {&p.bodyMassKg, &p.upperLinkMassKg, &p.lowerLinkMassKg}) {
    scale(*mass, spread.mass);
  }
  scale(p.friction, spread.friction);
  scale(p.servoKp, spread.servoKp);
  // One draw for all of a member's servos: the supply moves them together.
  const auto scaleServos = [&](double& fallback, auto& joints, double amplitude) {
    const double factor = 1.0 + amplitude * UniformSigned(random);
    fallback *= factor;
    for (std::optional<double>& value : joints) {
      if (value) *value *= factor;
    }
  };
  scaleServos(p.servoTorqueLimit, p.jointMaxTorque, spread.servoTorqueLimit);
  // Without its own damping the model's follows the torque and speed.
  if (p.jointDamping) scale(*p.jointDamping, spread.jointDamping);
  scale(p.jointArmature, spread.jointArmature);
  p.bodyForwardMm += spread.bodyOffsetMm * UniformSigned(random);
  p.bodyLeftMm += spread.bodyOffsetMm * UniformSigned(random);
  // Shorter steps only: the longest is the one the model is known stable at.
  p.maxTimeStepMs *= 1.0 - spread.timeStep * (UniformSigned(random) + 1.0) / 2.0;
  scaleServos(p.servoMaxSpeed, p.jointMaxSpeed, spread.servoSpeed);
  draw.start.rollRad = spread.startTiltDeg * kRadiansPerDegree * UniformSigned(random);
  draw.start.pitchRad = spread.startTiltDeg * kRadiansPerDegree * UniformSigned(random);
  draw.noise = {spread.commandNoiseRad, kNoiseSeed + member};
  return draw;
}

EnsembleModels::EnsembleModels(const PhysicsParameters& parameters, const GaitSettings& gait,
                               int cap)
    : parameters_(ServoParametersOf(parameters, gait)),
      tickPeriodMs_(gait.tickPeriodMs),
      ranges_(MjcfGaitOf(gait, parameters)),
      models_(static_cast<std::size_t>(std::max(cap, 1))) {
  for (int i = 0; i < this->cap(); ++i) draws_.push_back(DrawMember(parameters_, i));
  member(0);  // a model MuJoCo refuses is refused before the run
}

// Compiled one at a time: MuJoCo's compiler is not known to be thread-safe.
const RobotModel& EnsembleModels::member(int index) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::unique_ptr<RobotModel>& model = models_[static_cast<std::size_t>(index)];
  if (!model) {
    model = std::make_unique<RobotModel>(draw(index).parameters, tickPeriodMs_, ranges_);
  }
  return *model;
}

EnsembleRun::EnsembleRun(const EnsembleModels& models, double tickPeriodMs, unsigned threads)
    : models_(models),
      tickPeriodMs_(tickPeriodMs),
      threads_(threads),
      first_(models.member(0), tickPeriodMs, models.draw(0).noise, models.draw(0).start) {}

void EnsembleRun::process(TickRecord& record) {
  ThrowIfStopped(stop_);
  summary_.reset();
  if (models_.cap() > 1) kept_.push_back({record.tick, record.angles, record.targets});
  first_.process(record);
}

PhysicsSummary EnsembleRun::walkMember(int index) const {
  PhysicsRun run(models_.member(index), tickPeriodMs_, models_.draw(index).noise,
                 models_.draw(index).start);
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
    if (!CouldStillChange(members, cap)) break;
  }
  return CombineSummaries(members);
}

PhysicsSummary EnsembleRun::summary() const {
  if (!summary_) summary_ = combineMembers();
  return *summary_;
}

}  // namespace trotix
