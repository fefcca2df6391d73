#include "gaitlab/video/VideoEncoder.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

// How long one wait for ffmpeg to take more of a frame lasts before it is
// asked whether it still works.
constexpr std::chrono::milliseconds kPollStep(250);

// ffmpeg writes the file through the descriptor it inherits as 3 (see
// ToolProcess), so that the file may be the hidden temporary one that is
// renamed into place.
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
  arguments.push_back("/dev/fd/3");
  return arguments;
}

}  // namespace

VideoEncoder::VideoEncoder(std::FILE* output, const std::string& name, const VideoShape& shape,
                           std::chrono::milliseconds stallLimit)
    : output_(output),
      name_(name),
      format_(shape.format),
      frameBytes_(static_cast<std::size_t>(shape.width) * shape.height * 3),
      stallLimit_(stallLimit) {
  int sockets[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
    throw OutputError(name_ + ": cannot start ffmpeg: " + std::strerror(errno));
  }
  socket_ = sockets[0];
  std::fflush(output);
  try {
    ffmpeg_.emplace(FfmpegArguments(shape), sockets[1], fileno(output), name_, stallLimit);
  } catch (...) {
    ::close(sockets[1]);
    ::close(socket_);
    throw;
  }
  ::close(sockets[1]);
}

VideoEncoder::~VideoEncoder() {
  if (socket_ >= 0) ::close(socket_);
}

void VideoEncoder::addFrame(const unsigned char* rgb) {
  std::size_t sent = 0;
  while (sent < frameBytes_) {
    pollfd ready = {socket_, POLLOUT, 0};
    const int polled = ::poll(&ready, 1, static_cast<int>(kPollStep.count()));
    if (polled < 0 && errno == EINTR) continue;
    if (polled == 0) {
      ffmpeg_->checkStalled(kPollStep);
      continue;
    }
    const ssize_t n = ::send(socket_, rgb + sent, frameBytes_ - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (n <= 0) throw OutputError(failure("ffmpeg stopped taking frames"));
    sent += static_cast<std::size_t>(n);
    ffmpeg_->madeProgress();
  }
  ++frames_;
}

void VideoEncoder::finish() {
  ::close(socket_);
  socket_ = -1;
  const int status = ffmpeg_->wait();
  if (status != 0) throw OutputError(failure("ffmpeg failed"));
  // At "-loglevel error" every line ffmpeg writes tells of an error, even
  // when it ends with status 0.
  if (!ffmpeg_->lastErrorLine().empty()) throw OutputError(failure("ffmpeg failed"));
  CheckVideoWhole(output_, format_, frames_, name_, stallLimit_);
}

// "NAME: WHAT: ffmpeg's last line".
std::string VideoEncoder::failure(const std::string& what) const {
  const std::string last = ffmpeg_->lastErrorLine();
  return name_ + ": " + what + (last.empty() ? "" : ": " + PrintableText(last));
}

}  // namespace trotix
