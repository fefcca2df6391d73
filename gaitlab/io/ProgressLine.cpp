#include "gaitlab/io/ProgressLine.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace trotix {
namespace {

constexpr auto kRedrawEvery = std::chrono::milliseconds(250);
// Off a terminal, shorter work says nothing.
constexpr double kEstimateFrom = 60.0;

}  // namespace

std::string DurationText(double seconds) {
  const auto whole = static_cast<long long>(std::ceil(std::max(seconds, 0.0)));
  if (whole >= 3600) {
    return std::to_string(whole / 3600) + " h " + std::to_string(whole % 3600 / 60) + " min";
  }
  if (whole >= 60) return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
  return std::to_string(whole) + " s";
}

ProgressLine::ProgressLine(std::string units, std::int64_t total, std::FILE* stream,
                           std::chrono::milliseconds delay, bool redrawn)
    : units_(std::move(units)),
      total_(total),
      stream_(stream ? stream : stderr),
      redrawn_(stream ? redrawn : ::isatty(::fileno(stderr)) != 0),
      start_(Clock::now()),
      nextDraw_(start_ + delay) {}

ProgressLine::~ProgressLine() { finish(); }

void ProgressLine::finish() {
  if (drawnWidth_ == 0) return;
  // Progress is a courtesy: a failure to show it is no failure of the work.
  std::fprintf(stream_, "\r%*s\r", static_cast<int>(drawnWidth_), "");
  std::fflush(stream_);
  drawnWidth_ = 0;
  stream_ = nullptr;
}

void ProgressLine::update(std::int64_t done) {
  if (stream_ == nullptr) return;
  const Clock::time_point now = Clock::now();
  if (now < nextDraw_) return;
  nextDraw_ = now + kRedrawEvery;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  double left = -1.0;  // unknown
  if (done > 0 && done < total_) {
    left = elapsed * static_cast<double>(total_ - done) / static_cast<double>(done);
  }
  if (redrawn_) {
    draw(done, left);
  } else {
    writeEstimate(done, left);
  }
}

std::string ProgressLine::text(std::int64_t done, double secondsLeft) const {
  std::string line =
      "trotix-gait: " + std::to_string(done) + " of " + std::to_string(total_) + " " + units_;
  if (total_ > 0) {
    line += " (" + std::to_string(done * 100 / total_) + "%)";
  }
  if (secondsLeft >= 0.0) line += ", about " + DurationText(secondsLeft) + " left";
  return line;
}

void ProgressLine::draw(std::int64_t done, double secondsLeft) {
  std::string line = text(done, secondsLeft);
  const std::size_t width = line.size();
  if (width < drawnWidth_) line.append(drawnWidth_ - width, ' ');
  std::fprintf(stream_, "\r%s", line.c_str());
  std::fflush(stream_);
  drawnWidth_ = std::max(drawnWidth_, width);
}

// Once, at the first chance: a log gains one line, not a line every 250 ms.
void ProgressLine::writeEstimate(std::int64_t done, double secondsLeft) {
  if (secondsLeft > kEstimateFrom) {
    std::fprintf(stream_, "%s\n", text(done, secondsLeft).c_str());
    std::fflush(stream_);
  }
  stream_ = nullptr;
}

}  // namespace trotix
