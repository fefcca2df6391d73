// A progress line on standard error for long work: "trotix-gait: 1200 of
// 5000 ticks (24%), about 1 min 10 s left", redrawn in place a few times a
// second. It appears only once the work has taken longer than `delay`, so
// that short runs see nothing, and it is erased when the work ends. Where
// the line cannot be redrawn (standard error is a file or a pipe), it is
// written once, as a line of its own, and only when the work has more than
// a minute left.
#ifndef TROTIX_GAITLAB_PROGRESSLINE_H_
#define TROTIX_GAITLAB_PROGRESSLINE_H_

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace trotix {

class ProgressLine {
 public:
  // `units` names what is counted ("ticks", "map cells"). Without `stream`
  // the line goes to standard error, redrawn if that is a terminal; a
  // `stream` given is redrawn when `redrawn` says so.
  ProgressLine(std::string units, std::int64_t total, std::FILE* stream = nullptr,
               std::chrono::milliseconds delay = std::chrono::seconds(2), bool redrawn = true);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // `done` of the total are finished. Reads the clock: for work of many
  // small steps, call it every so many steps.
  void update(std::int64_t done);

  // Erases the line, if one was drawn, before other messages follow.
  void finish();

 private:
  using Clock = std::chrono::steady_clock;
  std::string text(std::int64_t done, double secondsLeft) const;
  void draw(std::int64_t done, double secondsLeft);
  void writeEstimate(std::int64_t done, double secondsLeft);

  std::string units_;
  std::int64_t total_;
  std::FILE* stream_;  // null once there is nothing more to show
  bool redrawn_;
  Clock::time_point start_, nextDraw_;
  std::size_t drawnWidth_ = 0;
};

// "1 h 5 min", "3 min 20 s", "45 s".
std::string DurationText(double seconds);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PROGRESSLINE_H_
