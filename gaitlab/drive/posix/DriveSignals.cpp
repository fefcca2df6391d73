#include "gaitlab/drive/DriveSignals.h"

#include <csignal>
#include <cstring>
#include <initializer_list>

namespace trotix {
namespace {

volatile std::sig_atomic_t caught = 0;

void NoteSignal(int signal) { caught = signal; }

}  // namespace

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

int CaughtStopSignal() { return caught; }

const char* CaughtStopName() { return strsignal(caught); }

}  // namespace trotix
