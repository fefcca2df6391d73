// A set of ticks, given in increasing order (a tick given again is ignored),
// kept as runs of consecutive
// ticks: the count of all of them and the first kMaxRanges runs, so that the
// memory stays the same however long the run.
#ifndef TROTIX_GAITLAB_TICKRANGES_H_
#define TROTIX_GAITLAB_TICKRANGES_H_

#include <array>
#include <cstdint>
#include <string>

namespace trotix {

class TickRanges {
 public:
  static constexpr std::size_t kMaxRanges = 20;
  struct Range {
    std::int64_t first, last;
  };

  void add(std::int64_t tick) {
    if (count_ > 0 && tick == last_) return;
    ++count_;
    last_ = tick;
    if (kept_ > 0 && ranges_[kept_ - 1].last + 1 == tick) {
      ranges_[kept_ - 1].last = tick;
    } else if (kept_ < kMaxRanges) {
      ranges_[kept_++] = {tick, tick};
    } else {
      truncated_ = true;
    }
  }

  std::int64_t count() const { return count_; }
  std::size_t rangeCount() const { return kept_; }
  const Range& range(std::size_t i) const { return ranges_[i]; }
  // Whether some ticks are counted but not in the kept runs.
  bool truncated() const { return truncated_; }

  // {"count":3,"ticks":[[4,5],[9,9]],"more":false}
  std::string json() const;
  // "3 ticks: 4-5, 9", "none"
  std::string text() const;

 private:
  std::int64_t count_ = 0;
  std::int64_t last_ = 0;
  std::size_t kept_ = 0;
  bool truncated_ = false;
  std::array<Range, kMaxRanges> ranges_{};
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TICKRANGES_H_
