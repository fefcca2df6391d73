#include "gaitlab/physics/PhysicsEnsemble.h"

#include <random>

#include "gaitlab/physics/EnsembleSummary.h"

namespace trotix {
namespace {

// Seeds far apart for the members' parameters and their angle noise.
constexpr std::uint64_t kParameterSeed = 0x7f4a7c159e3779b9;
constexpr std::uint64_t kNoiseSeed = 0x2545f4914f6cdd1d;

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
                               int members) {
  const MjcfGait ranges = MjcfGaitOf(gait, parameters);
  for (int i = 0; i < members; ++i) {
    models_.push_back(
        std::make_unique<RobotModel>(MemberParameters(parameters, i), gait.tickPeriodMs, ranges));
  }
}

EnsembleRun::EnsembleRun(const EnsembleModels& models, double tickPeriodMs) {
  for (int i = 0; i < models.size(); ++i) {
    const AngleNoise noise{i == 0 ? 0.0 : kAngleNoiseRad,
                           kNoiseSeed + static_cast<std::uint64_t>(i)};
    runs_.push_back(std::make_unique<PhysicsRun>(models.member(i), tickPeriodMs, noise));
  }
}

void EnsembleRun::process(TickRecord& record) {
  for (std::size_t i = 1; i < runs_.size(); ++i) {
    ThrowIfStopped(stop_);
    TickRecord copy = record;
    runs_[i]->process(copy);
  }
  ThrowIfStopped(stop_);
  runs_[0]->process(record);
}

PhysicsSummary EnsembleRun::summary() const {
  std::vector<PhysicsSummary> members;
  for (const auto& run : runs_) members.push_back(run->summary());
  return CombineSummaries(members);
}

}  // namespace trotix
