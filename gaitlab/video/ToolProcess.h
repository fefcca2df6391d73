// A program of Debian's ffmpeg package run as a child process: ffmpeg
// encoding a video, ffprobe checking one. Its standard output and error go
// to temporary files that are read once it has ended. A child that neither
// takes input nor uses the processor while this program waits for it for
// `stallLimit` in all is taken to have stalled, and is ended. (Waits are
// added up rather than read off the clock, so that a program stopped with
// Ctrl-Z and continued later does not find its encoder stalled.)
#ifndef TROTIX_GAITLAB_TOOLPROCESS_H_
#define TROTIX_GAITLAB_TOOLPROCESS_H_

#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace trotix {

class ToolProcess {
 public:
  // Starts arguments[0], looked up on PATH, with `input` as its standard
  // input (-1: none) and `file` as its descriptor 3 (-1: none). Throws
  // OutputError naming `name`, the file worked on, if it cannot run.
  ToolProcess(const std::vector<std::string>& arguments, int input, int file,
              const std::string& name, std::chrono::milliseconds stallLimit);
  // Ends a child still running.
  ~ToolProcess();
  ToolProcess(const ToolProcess&) = delete;
  ToolProcess& operator=(const ToolProcess&) = delete;

  // The child just took input.
  void madeProgress() { idle_ = std::chrono::milliseconds(0); }
  // After waiting `waited` for the child: throws OutputError (and ends the
  // child) when it has stalled.
  void checkStalled(std::chrono::milliseconds waited);
  // Waits for the child to end; its exit status, or -1 if a signal ended
  // it. Throws OutputError when it stalls.
  int wait();

  // What it wrote; read once it has ended.
  std::string output() const;
  // Its last line on standard error, empty if it wrote none.
  std::string lastErrorLine() const;

 private:
  double processorSeconds() const;
  void end();

  std::string program_, name_;
  std::chrono::milliseconds stallLimit_;
  std::FILE* output_ = nullptr;
  std::FILE* log_ = nullptr;
  pid_t child_ = -1;
  std::chrono::milliseconds idle_{0};
  double lastProcessorSeconds_ = 0.0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TOOLPROCESS_H_
