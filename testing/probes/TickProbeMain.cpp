// The program with a tick recorder attached, for the speed figures: at exit
// it prints how many ticks ran and the monotonic times of the first and the
// last, as "ticks N first SECONDS last SECONDS".
#include <chrono>
#include <cstdio>

#include "testing/probes/ProbedApp.h"

namespace {

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int main(int, char** argv) {
  long ticks = 0;
  double first = 0.0;
  double last = 0.0;
  const int status = trotix::RunProbedApp(argv[0], [&] {
    last = Now();
    if (ticks++ == 0) first = last;
  });
  std::printf("ticks %ld first %.6f last %.6f\n", ticks, first, last);
  return status;
}
