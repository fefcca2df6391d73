// Rewrites the engine's golden trajectory. Run it only when a change to the
// walk is intended, and say why in the commit:
//   regenerate_engine_golden [output file]
// Without an argument it overwrites the file in the source tree.
#include <cstdio>
#include <fstream>

#include "testing/engine/GoldenTrajectory.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : TROTIX_GOLDEN_TRAJECTORY_FILE;
  std::ofstream out(path);
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path);
    return 1;
  }
  const auto ticks = trotix::RecordGoldenTrajectory();
  trotix::WriteGoldenTrajectory(out, ticks);
  out.close();
  if (!out) {
    std::fprintf(stderr, "writing %s failed\n", path);
    return 1;
  }
  std::printf("wrote %zu ticks to %s\n", ticks.size(), path);
  return 0;
}
