// The path the trunk has taken over the floor, drawn as a line in MuJoCo's
// scene. A long walk keeps a bounded number of points by thinning them.
#ifndef TROTIX_GAITLAB_TRUNKTRACK_H_
#define TROTIX_GAITLAB_TRUNKTRACK_H_

#include <mujoco/mujoco.h>

#include <array>
#include <vector>

namespace trotix {

class TrunkTrack {
 public:
  static constexpr int kMaxPoints = 1000;

  // Adds the trunk's place (world x, y in metres) when it has moved a few
  // millimetres from the last point.
  void add(double x, double y);
  void clear() { points_.clear(); }
  std::size_t size() const { return points_.size(); }

  // Appends the track's segments to the scene, as room allows.
  void addTo(mjvScene& scene) const;

 private:
  std::vector<std::array<double, 2>> points_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TRUNKTRACK_H_
