// Starts the real program as a child process in a chosen working directory
// and watches it: exit status, CPU time and memory from /proc. The child is
// killed and reaped if it is still running when the object goes.
#ifndef TROTIX_TESTS_APP_PROGRAMRUN_H_
#define TROTIX_TESTS_APP_PROGRAMRUN_H_

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace trotix::testing {

class ProgramRun {
 public:
  // `outputPath`, if given, receives the child's standard output.
  ProgramRun(const std::string& program, const std::string& workingDirectory,
             const std::vector<std::string>& arguments = {}, const std::string& outputPath = {});
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  pid_t pid() const { return childPid; }
  bool running();
  // Exit status once the child has ended within `seconds`; -1 if it was
  // killed by a signal; nothing if it is still running.
  std::optional<int> waitForExit(double seconds);

  // From /proc while the child runs.
  double cpuSeconds() const;  // user + system
  long peakResidentKb() const;
  long residentKb() const;

 private:
  pid_t childPid = -1;
  std::optional<int> exitStatus;
};

// Seconds on the monotonic clock.
double MonotonicSeconds();

}  // namespace trotix::testing

#endif  // TROTIX_TESTS_APP_PROGRAMRUN_H_
