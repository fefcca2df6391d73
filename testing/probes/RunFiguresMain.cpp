// Runs the program on the current X display and prints its figures.
//
//   trotix_app_figures figures PROBE WORKDIR SECONDS
//     Starts the tick-probe build of the program, times the first frame (the
//     view showing the figure on its white background), lets it run, then
//     prints ticks per second, CPU time per wall second and peak memory.
//   trotix_app_figures soak PROGRAM WORKDIR SECONDS
//     Feeds random slider clicks, slider keys and mouse drags over the view
//     for SECONDS, sampling resident memory every 10 s; fails on a crash or
//     on memory growth after the first minute.
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "testing/x11/ProgramRun.h"
#include "testing/x11/ScreenMeasures.h"
#include "testing/x11/XSession.h"

namespace trotix::testing {
namespace {

constexpr int kViewLeft = 5, kViewTop = 5, kViewWidth = 500, kViewHeight = 400;

void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

WindowId WaitForDialog(XSession& session, ProgramRun& program) {
  for (int i = 0; i < 1000; ++i) {
    if (WindowId window = session.findWindow("Trotix", program.pid())) return window;
    Pause(0.01);
  }
  return 0;
}

// Polls the view until it shows the figure on white; seconds since `start`.
// `dialogShown` gets the time at which the dialog's window was first seen.
double TimeToFirstFrame(XSession& session, ProgramRun& program, double start, double& dialogShown) {
  WindowId dialog = 0;
  while (MonotonicSeconds() - start < 20.0) {
    if (dialog == 0) {
      dialog = session.findWindow("Trotix", program.pid());
      dialogShown = MonotonicSeconds() - start;
    }
    if (dialog != 0) {
      const ScreenPoint client = session.origin(dialog);
      const ScreenImage view =
          session.grab(client.x + kViewLeft, client.y + kViewTop, kViewWidth, kViewHeight);
      if (UniformCornerColour(view) == kWhite && FindFigure(view, kWhite).pixels > 200) {
        return MonotonicSeconds() - start;
      }
    }
    Pause(0.002);
  }
  return -1.0;
}

int Figures(const std::string& probe, const std::string& workDirectory, double seconds) {
  XSession session;
  const std::string output = "/tmp/trotix-probe-" + std::to_string(getpid()) + ".txt";
  const double start = MonotonicSeconds();
  ProgramRun program(probe, workDirectory, {}, output);
  double dialogShown = -1.0;
  const double firstFrame = TimeToFirstFrame(session, program, start, dialogShown);
  const WindowId dialog = WaitForDialog(session, program);
  Pause(2.0);  // settle, then measure the steady run
  const double cpuStart = program.cpuSeconds();
  const double wallStart = MonotonicSeconds();
  Pause(seconds - 2.0);
  const double cpu = program.cpuSeconds() - cpuStart;
  const double wall = MonotonicSeconds() - wallStart;
  const long peakKb = program.peakResidentKb();
  session.sendCloseRequest(dialog);
  const auto status = program.waitForExit(5.0);

  long ticks = 0;
  double first = 0.0;
  double last = 0.0;
  std::ifstream in(output);
  std::string word;
  in >> word >> ticks >> word >> first >> word >> last;
  std::remove(output.c_str());
  std::printf("time to first frame  %.3f s (dialog window mapped at %.3f s)\n", firstFrame,
              dialogShown);
  std::printf("ticks per second     %.2f (%ld ticks in %.2f s)\n",
              ticks > 1 ? (ticks - 1) / (last - first) : 0.0, ticks, last - first);
  std::printf("CPU per wall second  %.2f %% of one core (%.2f s in %.1f s)\n", 100.0 * cpu / wall,
              cpu, wall);
  std::printf("peak resident memory %.1f MB\n", peakKb / 1024.0);
  std::printf("exit status          %d\n", status ? *status : -999);
  return status && *status == 0 ? 0 : 1;
}

class RandomUser {
 public:
  RandomUser(XSession& session, WindowId dialog) : session(session), dialog(dialog) {}

  void act() {
    const ScreenPoint client = session.origin(dialog);
    const auto at = [&](int x, int y) {
      return std::to_string(client.x + x) + " " + std::to_string(client.y + y);
    };
    static const char* const kKeys[] = {"Up",      "Down",      "Left", "Right",
                                        "Page_Up", "Page_Down", "Home", "End"};
    switch (pick(5)) {
      case 0:  // click somewhere on the horizontal slider
        Xdotool("mousemove " + at(215 + pick(260), 505 + pick(25)) + " click 1");
        break;
      case 1:  // click somewhere on the vertical slider
        Xdotool("mousemove " + at(570 + pick(50), 346 + pick(213)) + " click 1");
        break;
      case 2:  // keys to whatever control has the focus
        Xdotool(std::string("key ") + kKeys[pick(8)]);
        break;
      default: {  // a left or right drag over the view
        const std::string button = pick(2) == 0 ? "1" : "3";
        std::string moves;
        int x = 20 + pick(460);
        int y = 20 + pick(360);
        for (int i = 0; i < 5; ++i) {
          x = std::clamp(x + pick(81) - 40, 6, kViewWidth + 4);
          y = std::clamp(y + pick(61) - 30, 6, kViewHeight + 4);
          moves += " mousemove " + at(x, y) + " sleep 0.02";
        }
        Xdotool("mousemove " + at(x, y) + " mousedown " + button + moves + " mouseup " + button);
      }
    }
  }

 private:
  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

  XSession& session;
  WindowId dialog;
  std::mt19937 random{20261207};
};

int Soak(const std::string& programPath, const std::string& workDirectory, double seconds) {
  XSession session;
  ProgramRun program(programPath, workDirectory);
  const WindowId dialog = WaitForDialog(session, program);
  if (dialog == 0) return std::puts("the dialog did not appear"), 1;
  Xdotool("windowfocus --sync " + std::to_string(dialog));
  RandomUser user(session, dialog);
  const double start = MonotonicSeconds();
  double nextSample = start;
  long rssAtOneMinute = -1;
  long highestAfterOneMinute = 0;
  long actions = 0;
  while (MonotonicSeconds() - start < seconds) {
    if (!program.running()) return std::puts("the program ended during the soak"), 1;
    user.act();
    ++actions;
    if (MonotonicSeconds() >= nextSample) {
      const double elapsed = MonotonicSeconds() - start;
      const long rss = program.residentKb();
      std::printf("%6.0f s  RSS %7.1f MB  CPU %6.1f s  actions %ld\n", elapsed, rss / 1024.0,
                  program.cpuSeconds(), actions);
      std::fflush(stdout);
      if (elapsed >= 60.0 && rssAtOneMinute < 0) rssAtOneMinute = rss;
      if (elapsed >= 60.0) highestAfterOneMinute = std::max(highestAfterOneMinute, rss);
      nextSample += 10.0;
    }
  }
  session.sendCloseRequest(dialog);
  const auto status = program.waitForExit(5.0);
  std::printf("actions %ld, RSS at 1 min %.1f MB, highest after %.1f MB, exit status %d\n", actions,
              rssAtOneMinute / 1024.0, highestAfterOneMinute / 1024.0, status ? *status : -999);
  // Allocator noise aside (2 MB), memory must not grow after the first minute.
  const bool steady = rssAtOneMinute < 0 || highestAfterOneMinute - rssAtOneMinute < 2048;
  return status && *status == 0 && steady ? 0 : 1;
}

}  // namespace
}  // namespace trotix::testing

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s figures|soak PROGRAM WORKDIR SECONDS\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  const double seconds = std::stod(argv[4]);
  if (mode == "figures") return trotix::testing::Figures(argv[2], argv[3], seconds);
  if (mode == "soak") return trotix::testing::Soak(argv[2], argv[3], seconds);
  return 2;
}
