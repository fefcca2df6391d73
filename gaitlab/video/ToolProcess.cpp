#include "gaitlab/video/ToolProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "gaitlab/io/InputError.h"

extern char** environ;

namespace trotix {
namespace {

constexpr auto kWaitStep = std::chrono::milliseconds(50);

std::string ReadWhole(std::FILE* file) {
  std::string text;
  if (file == nullptr || std::fseek(file, 0, SEEK_SET) != 0) return text;
  char chunk[4096];
  while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, file)) text.append(chunk, got);
  return text;
}

}  // namespace

ToolProcess::ToolProcess(const std::vector<std::string>& arguments, int input, int file,
                         const std::string& name, std::chrono::milliseconds stallLimit)
    : program_(arguments.at(0)), name_(name), stallLimit_(stallLimit) {
  output_ = std::tmpfile();
  log_ = std::tmpfile();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (input >= 0) {
    posix_spawn_file_actions_adddup2(&actions, input, 0);
  } else {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  }
  if (file >= 0) posix_spawn_file_actions_adddup2(&actions, file, 3);
  if (output_ != nullptr) posix_spawn_file_actions_adddup2(&actions, fileno(output_), 1);
  if (log_ != nullptr) posix_spawn_file_actions_adddup2(&actions, fileno(log_), 2);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const int error =
      posix_spawnp(&child_, program_.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    child_ = -1;
    if (output_ != nullptr) std::fclose(output_);
    if (log_ != nullptr) std::fclose(log_);
    throw OutputError(name_ + ": cannot run " + program_ + " (" + std::strerror(error) +
                      "); install Debian's ffmpeg package");
  }
}

ToolProcess::~ToolProcess() {
  if (child_ > 0) end();
  if (output_ != nullptr) std::fclose(output_);
  if (log_ != nullptr) std::fclose(log_);
}

void ToolProcess::end() {
  ::kill(child_, SIGKILL);
  while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
  }
  child_ = -1;
}

// The child's processor time so far (Linux's /proc); 0 where unknown.
double ToolProcess::processorSeconds() const {
  std::ifstream stat("/proc/" + std::to_string(child_) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const std::size_t name = text.rfind(')');
  if (name == std::string::npos) return 0.0;
  // After the name: state, then ten fields before user and system time.
  std::istringstream fields(text.substr(name + 1));
  std::string skipped;
  for (int i = 0; i < 11; ++i) fields >> skipped;
  double user = 0.0, system = 0.0;
  fields >> user >> system;
  return (user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

void ToolProcess::checkStalled(std::chrono::milliseconds waited) {
  const double seconds = processorSeconds();
  if (seconds > lastProcessorSeconds_) {
    lastProcessorSeconds_ = seconds;
    madeProgress();
    return;
  }
  idle_ += waited;
  if (idle_ < stallLimit_) return;
  end();
  const auto limit = std::chrono::duration_cast<std::chrono::seconds>(stallLimit_).count();
  throw OutputError(name_ + ": " + program_ + " stalled (it took no input and did no work for " +
                    std::to_string(limit) + " s) and was ended");
}

int ToolProcess::wait() {
  int status = 0;
  while (true) {
    const pid_t ended = ::waitpid(child_, &status, WNOHANG);
    if (ended == child_) break;
    if (ended < 0 && errno != EINTR) {
      child_ = -1;
      return -1;
    }
    std::this_thread::sleep_for(kWaitStep);
    checkStalled(kWaitStep);
  }
  child_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ToolProcess::output() const { return ReadWhole(output_); }

std::string ToolProcess::lastErrorLine() const {
  std::istringstream lines(ReadWhole(log_));
  std::string line, last;
  while (std::getline(lines, line)) {
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) last = line;
  }
  return last;
}

}  // namespace trotix
