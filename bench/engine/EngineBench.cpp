// Speed of one walk tick (16 foot-path frames and 4 leg solves) and of one
// leg solve, beside a baseline tick that composes the gait's step operations
// literally. Quote medians: run with
//   --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cmath>

#include "trotix/JointCommandConversion.h"
#include "engine/LegSolver.h"
#include "trotix/SliderMapping.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

// The gait step by step as first written: every frame of every leg through
// computeLegFrame, each with its turn angle from atan2, sin and cos.
void LiteralAdvanceGait(WalkEngine& e) {
  const LocusSet& set = e.locusSet2;  // the default walk mode
  for (int leg = 0; leg < kLegCount; ++leg) {
    LegGaitParams& p = e.legs[leg];
    for (int frame = 0; frame < kFramesPerAdvance; ++frame) {
      p.phase += p.stepRate * 0.008;
      if (p.phase >= 1.0) p.phase = 0.0;
      const double along =
          leg < 2 ? p.halfStepLength + p.footOffsetX : -p.halfStepLength - p.footOffsetX;
      const double theta = std::atan2(along, (p.halfSideStepLength + p.footOffsetY) + kLateralBase);
      const double s = std::sin(theta), c = std::cos(theta);
      const double half[] = {
          p.halfStepLength + s * p.turnStroke, p.halfStepLength - s * p.turnStroke,
          p.halfStepLength + s * p.turnStroke, p.halfStepLength - s * p.turnStroke};
      const double g[] = {
          -p.halfSideStepLength - c * p.turnStroke, p.halfSideStepLength + c * p.turnStroke,
          c * p.turnStroke - p.halfSideStepLength, p.halfSideStepLength - c * p.turnStroke};
      const FootLocus& source = leg < 2 ? set.front : set.rear;
      FootLocus& target = e.scaledLocus[leg];
      e.computeLegFrame(leg, frame, p.phase, leg == 0 || leg == 3 ? 0.5 : 0.0, source.alongTrack,
                        source.vertical, target.alongTrack, target.vertical, half[leg],
                        p.stepHeight, g[leg], p.footOffsetX, p.footOffsetY, p.footOffsetZ);
    }
  }
}

// The literal gait, then frame 0 through the engine's own leg solvers.
void LiteralTick(WalkEngine& e) {
  LiteralAdvanceGait(e);
  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& t = e.frameTargets[0][leg];
    double roll, pitch, knee;
    if (leg < 2) {
      e.solveFrontLeg(t[0], t[1], t[2], roll, pitch, knee, e.pitchHeightA, e.pitchHeightB);
    } else {
      e.solveRearLeg(t[0], t[1], t[2], roll, pitch, knee, e.pitchHeightA, e.pitchHeightB);
    }
    const double angles[3] = {pitch, roll, knee};
    for (int j = 0; j < 3; ++j) {
      e.setJointCommand(RadiansToJointCommand(angles[j]), 3 * leg + j);
      e.jointAngles[3 * leg + j] = angles[j];
    }
  }
}

template <void (*Tick)(WalkEngine&)>
void TickWithSliders(benchmark::State& state, int horizontal, int vertical) {
  WalkEngine engine;
  ApplySliderPositions(engine, horizontal, vertical);
  for (auto _ : state) {
    Tick(engine);
    benchmark::DoNotOptimize(engine.jointCommands);
  }
}

void RealTick(WalkEngine& e) { e.tick(); }

void BM_BaselineTickAtRest(benchmark::State& state) { TickWithSliders<LiteralTick>(state, 0, 0); }
void BM_BaselineTickFullStrokeAndTurn(benchmark::State& state) {
  TickWithSliders<LiteralTick>(state, 80, -130);
}
void BM_TickAtRest(benchmark::State& state) { TickWithSliders<RealTick>(state, 0, 0); }
void BM_TickFullStrokeAndTurn(benchmark::State& state) {
  TickWithSliders<RealTick>(state, 80, -130);
}

// The front leg over a ring of reachable, too-near and too-far targets, so
// every branch of the reach clamp is timed.
void BM_SolveFrontLeg(benchmark::State& state) {
  const WalkEngine engine;
  constexpr double kTargets[][3] = {{53.4, 3.0, 74.3}, {-10, 0, 100}, {0, 5, 30},
                                    {0, 0, 200},       {40, -20, 90}, {0, 100, 0}};
  std::size_t i = 0;
  double roll, pitch, knee;
  for (auto _ : state) {
    const double* t = kTargets[i];
    engine.solveFrontLeg(t[0], t[1], t[2], roll, pitch, knee, 0.0, 0.0);
    benchmark::DoNotOptimize(roll);
    benchmark::DoNotOptimize(pitch);
    benchmark::DoNotOptimize(knee);
    i = i + 1 == std::size(kTargets) ? 0 : i + 1;
  }
}

BENCHMARK(BM_BaselineTickAtRest);
BENCHMARK(BM_BaselineTickFullStrokeAndTurn);
BENCHMARK(BM_TickAtRest);
BENCHMARK(BM_TickFullStrokeAndTurn);
BENCHMARK(BM_SolveFrontLeg);

}  // namespace
}  // namespace trotix
