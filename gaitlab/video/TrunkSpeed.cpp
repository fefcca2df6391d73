#include "gaitlab/video/TrunkSpeed.h"

#include <cmath>

#include "trotix/WalkTypes.h"

namespace trotix {
namespace {

constexpr double kWindowSeconds = 1.0;
constexpr double kDegrees = 180.0 / kTruePi;

}  // namespace

void TrunkSpeed::add(double seconds, const BodyPose& pose) {
  samples_.push_back({seconds, pose});
  while (samples_.size() > 2 && seconds - samples_[1].seconds >= kWindowSeconds) {
    samples_.pop_front();
  }
}

double TrunkSpeed::forwardMmS() const {
  if (samples_.size() < 2) return 0.0;
  const Sample& a = samples_.front();
  const Sample& b = samples_.back();
  const double heading = (a.pose.yaw + b.pose.yaw) / 2.0;
  const double forward =
      (b.pose.x - a.pose.x) * std::cos(heading) + (b.pose.y - a.pose.y) * std::sin(heading);
  return forward / (b.seconds - a.seconds);
}

double TrunkSpeed::yawRateDegS() const {
  if (samples_.size() < 2) return 0.0;
  const Sample& a = samples_.front();
  const Sample& b = samples_.back();
  return (b.pose.yaw - a.pose.yaw) * kDegrees / (b.seconds - a.seconds);
}

}  // namespace trotix
