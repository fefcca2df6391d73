#include "gaitlab/video/VideoEncoder.h"

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "gaitlab/io/InputError.h"

extern char** environ;

namespace trotix {
namespace {

// ffmpeg writes the file through the descriptor it inherits here, so that
// the file may be the hidden temporary one that is renamed into place.
constexpr int kOutputDescriptor = 3;

std::vector<std::string> FfmpegArguments(const VideoShape& shape) {
  char size[32], rate[32];
  std::snprintf(size, sizeof size, "%dx%d", shape.width, shape.height);
  std::snprintf(rate, sizeof rate, "%.6f", shape.framesPerSecond);
  std::vector<std::string> arguments = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
                                        "-f",     "rawvideo",     "-pix_fmt",  "rgb24", "-s",
                                        size,     "-r",           rate,        "-i",    "pipe:0"};
  if (shape.format == VideoFormat::kGif) {
    // One palette for the whole clip, made from what changes between frames.
    arguments.insert(arguments.end(), {"-vf",
                                       "vflip,split[a][b];[a]palettegen=stats_mode=diff[p];"
                                       "[b][p]paletteuse=dither=bayer:bayer_scale=5",
                                       "-f", "gif"});
  } else {
    arguments.insert(arguments.end(), {"-vf", "vflip", "-c:v", "libx264", "-preset", "veryfast",
                                       "-crf", "23", "-pix_fmt", "yuv420p", "-f", "mp4"});
  }
  arguments.push_back("/dev/fd/" + std::to_string(kOutputDescriptor));
  return arguments;
}

}  // namespace

VideoEncoder::VideoEncoder(std::FILE* output, const std::string& name, const VideoShape& shape)
    : name_(name), frameBytes_(static_cast<std::size_t>(shape.width) * shape.height * 3) {
  int sockets[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
    throw OutputError(name_ + ": cannot start ffmpeg: " + std::strerror(errno));
  }
  socket_ = sockets[0];
  log_ = std::tmpfile();
  std::fflush(output);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, sockets[1], 0);
  posix_spawn_file_actions_adddup2(&actions, fileno(output), kOutputDescriptor);
  if (log_ != nullptr) posix_spawn_file_actions_adddup2(&actions, fileno(log_), 2);
  const std::vector<std::string> arguments = FfmpegArguments(shape);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const int error = posix_spawnp(&child_, "ffmpeg", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(sockets[1]);
  if (error != 0) {
    child_ = -1;
    ::close(socket_);
    if (log_ != nullptr) std::fclose(log_);
    throw OutputError(name_ + ": cannot run ffmpeg (" + std::strerror(error) +
                      "); install Debian's ffmpeg package");
  }
}

VideoEncoder::~VideoEncoder() {
  if (socket_ >= 0) ::close(socket_);
  if (child_ > 0) {
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
  }
  if (log_ != nullptr) std::fclose(log_);
}

void VideoEncoder::addFrame(const unsigned char* rgb) {
  std::size_t sent = 0;
  while (sent < frameBytes_) {
    const ssize_t n = ::send(socket_, rgb + sent, frameBytes_ - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw OutputError(failure("ffmpeg stopped taking frames"));
    sent += static_cast<std::size_t>(n);
  }
}

void VideoEncoder::finish() {
  ::close(socket_);
  socket_ = -1;
  int status = 0;
  while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
  }
  child_ = -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw OutputError(failure("ffmpeg failed"));
  }
}

// "NAME: WHAT: ffmpeg's last line".
std::string VideoEncoder::failure(const std::string& what) const {
  std::string last;
  if (log_ != nullptr && std::fseek(log_, 0, SEEK_SET) == 0) {
    char line[512];
    while (std::fgets(line, sizeof line, log_)) {
      std::string text(line);
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
      if (!text.empty()) last = text;
    }
  }
  return name_ + ": " + what + (last.empty() ? "" : ": " + PrintableText(last));
}

}  // namespace trotix
