// A program of Debian's ffmpeg package run as a child process: ffmpeg
// encoding a video, ffprobe checking one. Its standard output and error go
// to temporary files that are read once it has ended. A child that neither
// takes input nor uses the processor for `stallLimit` is taken to have
// stalled, and is ended.
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
  using Clock = std::chrono::steady_clock;

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
  void madeProgress() { lastProgress_ = Clock::now(); }
  // Throws OutputError (and ends the child) when it has stalled.
  void checkStalled();
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
  Clock::time_point lastProgress_;
  double lastProcessorSeconds_ = 0.0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TOOLPROCESS_H_
