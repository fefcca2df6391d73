#include "gaitlab/run/GaitReload.h"

#include <cmath>
#include <cstdio>

#include "gaitlab/io/InputError.h"

namespace trotix {

GaitReload::GaitReload(const std::string& path, Load load, Say say)
    : watch_(path), load_(std::move(load)), say_(std::move(say)) {}

void GaitReload::tick(WalkStep& walk, SliderPositions sliders, TickRecord& record) {
  if (watch_.changed()) load();
  if (waiting_ && cycleStarts_) handOver(walk, sliders, record);
  // The tick that wraps the phase ends a cycle; the next one starts one,
  // as a fresh walk's first tick does.
  const double phase = walk.engine().legs[0].phase;
  cycleStarts_ = hasLast_ && phase < lastPhase_;
  lastPhase_ = phase;
  lastAngles_ = record.angles;
  hasLast_ = true;
}

void GaitReload::load() {
  try {
    waiting_ = load_();
  } catch (const InputError& error) {
    waiting_.reset();
    say_(std::string(error.what()) + "; the gait walks on unchanged");
  }
}

void GaitReload::handOver(WalkStep& walk, SliderPositions sliders, TickRecord& record) {
  const GaitSettings next = std::move(*waiting_);
  waiting_.reset();
  if (next.tickPeriodMs != walk.tickPeriodMs()) {
    say_(
        "the changed gait has another tick_period_ms, which only a restart takes; the gait "
        "walks on unchanged");
    return;
  }
  WalkStep fresh = WalkStepOf(next);
  TickRecord first = fresh.step(sliders);
  double jump = 0.0;
  for (int joint = 0; joint < kJointCount; ++joint) {
    jump = std::fmax(jump, std::fabs(first.angles[joint] - lastAngles_[joint]));
  }
  char line[200];
  if (!(jump <= next.jumpThreshold)) {
    std::snprintf(line, sizeof line,
                  "the changed gait would jump a joint %.3f rad at the cycle's start, more than "
                  "its jump_threshold %.3f; the gait walks on unchanged",
                  jump, next.jumpThreshold);
    say_(line);
    return;
  }
  first.tick = record.tick;
  walk = std::move(fresh);
  record = first;
  std::snprintf(line, sizeof line, "the changed gait takes over at walk tick %lld",
                static_cast<long long>(record.tick));
  say_(line);
}

}  // namespace trotix
