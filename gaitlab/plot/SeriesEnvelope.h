// One value per tick, kept small enough to draw: ticks are grouped into at
// most `maxBuckets` equal buckets, and each bucket keeps its lowest and
// highest value, so a long run still shows the full swing of a signal.
#ifndef TROTIX_GAITLAB_SERIESENVELOPE_H_
#define TROTIX_GAITLAB_SERIESENVELOPE_H_

#include <cstdint>
#include <vector>

namespace trotix {

// The ticks per bucket when `totalTicks` are grouped into at most
// `maxBuckets` equal buckets.
std::int64_t TicksPerBucket(std::int64_t totalTicks, int maxBuckets);

class SeriesEnvelope {
 public:
  struct Point {
    double tick;
    double value;
  };

  SeriesEnvelope(std::int64_t totalTicks, int maxBuckets);

  // Ticks outside [0, totalTicks) and values that are not finite are ignored.
  void add(std::int64_t tick, double value);

  // Each bucket's extremes at the ticks where they occurred, in tick order.
  std::vector<Point> points() const;

 private:
  struct Bucket {
    bool used = false;
    std::int64_t lowTick = 0;
    std::int64_t highTick = 0;
    double low = 0.0;
    double high = 0.0;
  };

  std::int64_t ticksPerBucket_;
  std::vector<Bucket> buckets_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SERIESENVELOPE_H_
