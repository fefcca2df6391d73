#include "gaitlab/report/TickRanges.h"

namespace trotix {

std::string TickRanges::json() const {
  std::string text = "{\"count\": " + std::to_string(count_) + ", \"ticks\": [";
  for (std::size_t i = 0; i < kept_; ++i) {
    text += (i ? ", [" : "[") + std::to_string(ranges_[i].first) + ", " +
            std::to_string(ranges_[i].last) + "]";
  }
  return text + "], \"more\": " + (truncated_ ? "true" : "false") + "}";
}

std::string TickRanges::text() const {
  if (count_ == 0) return "none";
  std::string text = std::to_string(count_) + (count_ == 1 ? " tick: " : " ticks: ");
  for (std::size_t i = 0; i < kept_; ++i) {
    text += (i ? ", " : "") + std::to_string(ranges_[i].first);
    if (ranges_[i].last != ranges_[i].first) text += "-" + std::to_string(ranges_[i].last);
  }
  return text + (truncated_ ? ", ..." : "");
}

}  // namespace trotix
