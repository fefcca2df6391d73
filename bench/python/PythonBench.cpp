// The module's speed against the command line, in one run. Quote medians:
//   trotix_python_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// BM_GaitProgram runs `trotix-gait --ticks 1000000 --format none` as a
// process; BM_PythonRun calls trotix.run(1_000_000) in this process, arrays
// and all. BM_PhysicsMap walks 4 settings of 300 ticks on 1 and 2 threads;
// BM_CppPhysicsMap, the baseline of what two threads give on this machine
// now, walks the command line's 81 settings for 15 ticks each in C++.
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>
#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>

#include "gaitlab/physics/PhysicsMap.h"
#include "gaitlab/run/GaitSettings.h"

extern char** environ;

namespace py = pybind11;

namespace {

void BM_GaitProgram(benchmark::State& state) {
  const char* argv[] = {TROTIX_GAIT_PROGRAM, "--ticks", "1000000", "--format", "none", nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
      throw std::runtime_error("cannot start trotix-gait");
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("trotix-gait failed");
  }
}

void BM_PythonRun(benchmark::State& state) {
  const py::object run = py::module_::import("trotix").attr("run");
  for (auto _ : state) benchmark::DoNotOptimize(run(1'000'000).ptr());
}

void BM_PhysicsMap(benchmark::State& state) {
  const py::object trotix = py::module_::import("trotix");
  const py::object pool =
      py::module_::import("concurrent.futures").attr("ThreadPoolExecutor")(state.range(0));
  const py::tuple turns = py::make_tuple(-20, 20);
  const py::tuple steps = py::make_tuple(-100, 0);
  for (auto _ : state) {
    trotix.attr("physics_map")(turns, steps, py::arg("ticks") = 300, py::arg("executor") = pool);
  }
  pool.attr("shutdown")();
}

void BM_CppPhysicsMap(benchmark::State& state) {
  const trotix::GaitSettings gait = trotix::DefaultGaitSettings();
  const double seconds = 15 * gait.tickSeconds();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        trotix::RunPhysicsMap({}, gait, seconds, static_cast<unsigned>(state.range(0))));
  }
}

BENCHMARK(BM_GaitProgram)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PythonRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PhysicsMap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CppPhysicsMap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  py::scoped_interpreter interpreter;
  py::module_::import("sys").attr("path").attr("insert")(0, TROTIX_PYTHON_DIR);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
