// A foot's path in the x-z plane, kept as the distinct segments between
// consecutive ticks. A steady gait repeats itself exactly, so a long run
// adds nothing new after its first few cycles and the plot stays small.
#ifndef TROTIX_GAITLAB_FOOTTRACE_H_
#define TROTIX_GAITLAB_FOOTTRACE_H_

#include <array>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace trotix {

class FootTrace {
 public:
  struct Segment {
    double x0, z0, x1, z1;
  };

  explicit FootTrace(std::size_t maxSegments = 20000) : maxSegments_(maxSegments) {}

  // Continues the path to (x, z); non-finite points break it.
  void add(double x, double z);

  // Distinct segments in the order they first occurred; once `maxSegments`
  // are kept, new ones are dropped.
  const std::vector<Segment>& segments() const { return segments_; }
  bool empty() const { return segments_.empty(); }
  double minX() const { return minX_; }
  double maxX() const { return maxX_; }
  double minZ() const { return minZ_; }
  double maxZ() const { return maxZ_; }
  // The most recent point, if any.
  bool hasLast() const { return hasLast_; }
  double lastX() const { return lastX_; }
  double lastZ() const { return lastZ_; }

 private:
  using Key = std::array<std::int64_t, 4>;
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };

  std::size_t maxSegments_;
  std::vector<Segment> segments_;
  std::unordered_set<Key, KeyHash> seen_;
  bool hasBounds_ = false;
  bool hasLast_ = false;
  double lastX_ = 0.0, lastZ_ = 0.0;
  double minX_ = 0.0, maxX_ = 0.0, minZ_ = 0.0, maxZ_ = 0.0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_FOOTTRACE_H_
