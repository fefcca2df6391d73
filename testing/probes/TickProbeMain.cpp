// The program with a tick recorder attached, for the speed figures: at exit
// it prints how many ticks ran and the monotonic times of the first and the
// last, as "ticks N first SECONDS last SECONDS".
#include <chrono>
#include <cstdio>

#ifdef _WIN32
#include "app/windows/WalkApp.h"
#include "app/windows/WalkDialog.h"
#else
#include "app/linux/WalkApp.h"
#include "app/linux/WalkDialog.h"

wxIMPLEMENT_APP_NO_MAIN(trotix::WalkApp);
#endif

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
  trotix::WalkApp::beforeRunForTesting() = [&](trotix::WalkDialog& dialog) {
    dialog.afterTickForTesting = [&] {
      last = Now();
      if (ticks++ == 0) first = last;
    };
  };
#ifdef _WIN32
  (void)argv;
  trotix::WalkApp app;
  const int status = app.run();
#else
  const int status = trotix::RunWalkApp(argv[0]);
#endif
  std::printf("ticks %ld first %.6f last %.6f\n", ticks, first, last);
  return status;
}
