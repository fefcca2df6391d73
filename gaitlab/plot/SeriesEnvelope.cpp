#include "gaitlab/plot/SeriesEnvelope.h"

#include <algorithm>
#include <cmath>

namespace trotix {

std::int64_t TicksPerBucket(std::int64_t totalTicks, int maxBuckets) {
  const std::int64_t ticks = std::max<std::int64_t>(totalTicks, 0);
  const std::int64_t limit = std::max(maxBuckets, 1);
  return std::max<std::int64_t>(1, (ticks + limit - 1) / limit);
}

SeriesEnvelope::SeriesEnvelope(std::int64_t totalTicks, int maxBuckets) {
  const std::int64_t ticks = std::max<std::int64_t>(totalTicks, 0);
  ticksPerBucket_ = TicksPerBucket(totalTicks, maxBuckets);
  buckets_.resize(static_cast<std::size_t>((ticks + ticksPerBucket_ - 1) / ticksPerBucket_));
}

void SeriesEnvelope::add(std::int64_t tick, double value) {
  if (tick < 0 || !std::isfinite(value)) return;
  const auto index = static_cast<std::size_t>(tick / ticksPerBucket_);
  if (index >= buckets_.size()) return;
  Bucket& bucket = buckets_[index];
  if (!bucket.used) {
    bucket = {true, tick, tick, value, value};
    return;
  }
  if (value < bucket.low) bucket.low = value, bucket.lowTick = tick;
  if (value > bucket.high) bucket.high = value, bucket.highTick = tick;
}

std::vector<SeriesEnvelope::Point> SeriesEnvelope::points() const {
  std::vector<Point> result;
  result.reserve(buckets_.size() * 2);
  for (const Bucket& bucket : buckets_) {
    if (!bucket.used) continue;
    Point low{static_cast<double>(bucket.lowTick), bucket.low};
    Point high{static_cast<double>(bucket.highTick), bucket.high};
    if (bucket.lowTick == bucket.highTick) {
      result.push_back(low);
    } else if (bucket.lowTick < bucket.highTick) {
      result.insert(result.end(), {low, high});
    } else {
      result.insert(result.end(), {high, low});
    }
  }
  return result;
}

}  // namespace trotix
