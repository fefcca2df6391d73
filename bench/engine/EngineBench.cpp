// Speed of one walk tick (16 foot-path frames and 4 leg solves) and of one
// leg solve. Quote medians: run with
//   --benchmark_repetitions=15 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "PlainEngine.h"
#include "engine/LegSolver.h"
#include "engine/SliderMapping.h"
#include "engine/WalkEngine.h"

namespace trotix {
namespace {

void TickWithSliders(benchmark::State& state, int horizontal, int vertical) {
  WalkEngine engine;
  ApplySliderPositions(engine, horizontal, vertical);
  for (auto _ : state) {
    engine.tick();
    benchmark::DoNotOptimize(engine.jointCommands);
  }
}

void PlainTickWithSliders(benchmark::State& state, int horizontal, int vertical) {
  WalkEngine engine;
  ApplySliderPositions(engine, horizontal, vertical);
  for (auto _ : state) {
    PlainTick(engine);
    benchmark::DoNotOptimize(engine.jointCommands);
  }
}

void BM_TickAtRest(benchmark::State& state) { TickWithSliders(state, 0, 0); }
void BM_BaselineTickAtRest(benchmark::State& state) { PlainTickWithSliders(state, 0, 0); }
void BM_BaselineTickFullStrokeAndTurn(benchmark::State& state) {
  PlainTickWithSliders(state, 80, -130);
}
void BM_TickFullStrokeAndTurn(benchmark::State& state) { TickWithSliders(state, 80, -130); }

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
