// Speed of the physics check: one 33 ms tick of the robot model walking
// (17 MuJoCo steps) and one foot check. Quote medians: run with
//   --benchmark_repetitions=15 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "gaitlab/physics/FootKinematics.h"
#include "gaitlab/physics/PhysicsRun.h"
#include "trotix/SliderMapping.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

void PhysicsTick(benchmark::State& state, int turn, int step, double maxTimeStepMs = 3.0) {
  PhysicsParameters parameters;
  parameters.maxTimeStepMs = maxTimeStepMs;
  const RobotModel model(parameters, 33.0);
  PhysicsRun run(model, 33.0);
  WalkEngine engine;
  TickRecord record;
  for (auto _ : state) {
    ApplySliderPositions(engine, turn, step);
    engine.tick();
    record.angles = engine.jointAngles;
    record.targets = engine.frameTargets[0];
    run.process(record);
    ++record.tick;
    benchmark::DoNotOptimize(record.body);
  }
  state.counters["x_real_time"] = benchmark::Counter(
      0.033 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PhysicsTickAtRest(benchmark::State& state) { PhysicsTick(state, 0, 0); }
void BM_PhysicsTickFullStride(benchmark::State& state) { PhysicsTick(state, 0, -130); }
// The baseline: the 2 ms step the check used before.
void BM_PhysicsTickFullStrideStep2ms(benchmark::State& state) { PhysicsTick(state, 0, -130, 2.0); }

void BM_FootCheck(benchmark::State& state) {
  const RobotModel model({}, 33.0);
  FootKinematics kinematics(model);
  WalkEngine engine;
  ApplySliderPositions(engine, 40, -100);
  engine.tick();
  for (auto _ : state) {
    benchmark::DoNotOptimize(kinematics.largestMiss(engine.jointAngles, engine.frameTargets[0]));
  }
}

BENCHMARK(BM_PhysicsTickAtRest);
BENCHMARK(BM_PhysicsTickFullStride);
BENCHMARK(BM_PhysicsTickFullStrideStep2ms);
BENCHMARK(BM_FootCheck);

}  // namespace
}  // namespace trotix
