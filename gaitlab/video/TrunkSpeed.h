// The trunk's speed along its heading and its yaw rate over the last
// second, for a live read-out.
#ifndef TROTIX_GAITLAB_TRUNKSPEED_H_
#define TROTIX_GAITLAB_TRUNKSPEED_H_

#include <deque>

#include "gaitlab/run/TickRecord.h"

namespace trotix {

class TrunkSpeed {
 public:
  void add(double seconds, const BodyPose& pose);
  void clear() { samples_.clear(); }

  double forwardMmS() const;
  double yawRateDegS() const;

 private:
  struct Sample {
    double seconds;
    BodyPose pose;
  };
  std::deque<Sample> samples_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TRUNKSPEED_H_
