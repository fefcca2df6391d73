#include "gaitlab/drive/DriveSignals.h"

#include <atomic>
#include <csignal>

#include "gaitlab/drive/windows/StopEvent.h"

namespace trotix {
namespace {

std::atomic<int> caught{0};
std::atomic<const char*> caughtName{""};

// Runs on a thread of its own. Ctrl-C and Ctrl-Break are handled by
// returning; for the others Windows ends the process once the handler
// returns, so it waits instead while the drive turns the torque off and
// returns from main (the system's grace period, some seconds, bounds it).
BOOL WINAPI NoteControl(DWORD type) {
  const bool interrupt = type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT;
  const char* name = type == CTRL_C_EVENT       ? "Ctrl-C"
                     : type == CTRL_BREAK_EVENT ? "Ctrl-Break"
                     : type == CTRL_CLOSE_EVENT ? "the console closing"
                                                : "the system logging off or shutting down";
  caughtName = name;
  caught = interrupt ? SIGINT : SIGTERM;
  SetEvent(StopEvent());
  if (!interrupt) Sleep(INFINITE);
  return TRUE;
}

}  // namespace

HANDLE StopEvent() {
  static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return event;
}

void CatchStopSignals() {
  StopEvent();
  SetConsoleCtrlHandler(NoteControl, TRUE);
}

int CaughtStopSignal() { return caught; }

const char* CaughtStopName() { return caughtName; }

}  // namespace trotix
