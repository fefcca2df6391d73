#include "testing/x11/ProgramRun.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace trotix::testing {
namespace {

long StatusFieldKb(pid_t pid, const std::string& field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

}  // namespace

double MonotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

ProgramRun::ProgramRun(const std::string& program, const std::string& workingDirectory,
                       const std::vector<std::string>& arguments, const std::string& outputPath) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  childPid = fork();
  if (childPid == 0) {
    if (chdir(workingDirectory.c_str()) != 0) _exit(126);
    if (!outputPath.empty() && freopen(outputPath.c_str(), "w", stdout) == nullptr) _exit(126);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
}

ProgramRun::~ProgramRun() {
  if (childPid > 0 && !exitStatus) {
    kill(childPid, SIGKILL);
    waitpid(childPid, nullptr, 0);
  }
}

bool ProgramRun::running() { return !waitForExit(0.0); }

std::optional<int> ProgramRun::waitForExit(double seconds) {
  const double deadline = MonotonicSeconds() + seconds;
  while (!exitStatus && childPid > 0) {
    int status = 0;
    if (waitpid(childPid, &status, WNOHANG) == childPid) {
      exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      break;
    }
    if (MonotonicSeconds() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return exitStatus;
}

double ProgramRun::cpuSeconds() const {
  std::ifstream stat("/proc/" + std::to_string(childPid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Fields after the command name, which is in parentheses and may hold spaces.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  long ticks = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14 || index == 15) ticks += std::stol(field);  // utime, stime
    if (index == 15) break;
  }
  return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long ProgramRun::peakResidentKb() const { return StatusFieldKb(childPid, "VmHWM"); }
long ProgramRun::residentKb() const { return StatusFieldKb(childPid, "VmRSS"); }

}  // namespace trotix::testing
