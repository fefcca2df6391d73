#include "gaitlab/physics/EnsembleSummary.h"

#include <algorithm>
#include <functional>

namespace trotix {
namespace {

using Members = std::vector<PhysicsSummary>;

double Median(const Members& members, const std::function<double(const PhysicsSummary&)>& of) {
  std::vector<double> values;
  for (const PhysicsSummary& m : members) values.push_back(of(m));
  return Percentile(values, 0.5);
}

Percentiles SpreadOf(const Members& members, double PhysicsSummary::*field) {
  std::vector<double> values;
  for (const PhysicsSummary& m : members) values.push_back(m.*field);
  return {Percentile(values, 0.1), Percentile(values, 0.9)};
}

bool Most(const Members& members, bool PhysicsSummary::*field) {
  std::size_t count = 0;
  for (const PhysicsSummary& m : members) count += m.*field;
  return 2 * count > members.size();
}

// Wider than kDisagreeingSpread of its larger end, and than `floor`, below
// which a spread is noise around a standstill.
bool Wide(const Percentiles& spread, double floor) {
  const double width = spread.p90 - spread.p10;
  const double larger = std::max(std::fabs(spread.p10), std::fabs(spread.p90));
  return width > floor && width > kDisagreeingSpread * larger;
}

}  // namespace

double Percentile(std::vector<double> values, double q) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }),
               values.end());
  if (values.empty()) return NAN;
  std::sort(values.begin(), values.end());
  const double at = q * static_cast<double>(values.size() - 1);
  const auto below = static_cast<std::size_t>(at);
  if (below + 1 >= values.size()) return values.back();
  return values[below] + (at - static_cast<double>(below)) * (values[below + 1] - values[below]);
}

PhysicsSummary CombineSummaries(const Members& members) {
  PhysicsSummary s;
  for (double PhysicsSummary::*field :
       {&PhysicsSummary::seconds, &PhysicsSummary::distanceMm, &PhysicsSummary::pathLengthMm,
        &PhysicsSummary::forwardSpeedMmS, &PhysicsSummary::lateralSpeedMmS,
        &PhysicsSummary::yawRateDegS, &PhysicsSummary::maxTiltDeg, &PhysicsSummary::maxFootErrorMm,
        &PhysicsSummary::slipMm, &PhysicsSummary::costOfTransport}) {
    s.*field = Median(members, [field](const PhysicsSummary& m) { return m.*field; });
  }
  for (int j = 0; j < kJointCount; ++j) {
    s.torques[j].peakNm =
        Median(members, [j](const PhysicsSummary& m) { return m.torques[j].peakNm; });
    s.torques[j].rmsNm =
        Median(members, [j](const PhysicsSummary& m) { return m.torques[j].rmsNm; });
    s.torques[j].atLimitFraction =
        Median(members, [j](const PhysicsSummary& m) { return m.torques[j].atLimitFraction; });
    s.torques[j].atSpeedLimitFraction =
        Median(members, [j](const PhysicsSummary& m) { return m.torques[j].atSpeedLimitFraction; });
    s.torques[j].rmsLagRad =
        Median(members, [j](const PhysicsSummary& m) { return m.torques[j].rmsLagRad; });
  }
  s.fell = Most(members, &PhysicsSummary::fell);
  s.fellAtS = Median(members, [](const PhysicsSummary& m) { return m.fellAtS; });
  s.recovered = Most(members, &PhysicsSummary::recovered);
  s.scraped = Most(members, &PhysicsSummary::scraped);
  s.unstable = std::any_of(members.begin(), members.end(),
                           [](const PhysicsSummary& m) { return m.unstable; });
  s.members = static_cast<int>(members.size());
  s.forwardSpeed = SpreadOf(members, &PhysicsSummary::forwardSpeedMmS);
  s.yawRate = SpreadOf(members, &PhysicsSummary::yawRateDegS);
  std::size_t fallen = 0, scraped = 0;
  for (const PhysicsSummary& m : members) {
    fallen += m.fell;
    scraped += m.scraped;
  }
  s.scrapedFraction = static_cast<double>(scraped) / static_cast<double>(members.size());
  s.fellFraction = static_cast<double>(fallen) / static_cast<double>(members.size());
  s.fall = EstimateFalls(static_cast<int>(fallen), s.members);
  // Where every member fell, how each tumbled is no verdict of the gait's.
  s.membersDisagree = fallen == 0 ? Wide(s.forwardSpeed, kSpeedSpreadFloorMmS) ||
                                        Wide(s.yawRate, kYawSpreadFloorDegS)
                                  : fallen < members.size();
  return s;
}

}  // namespace trotix
