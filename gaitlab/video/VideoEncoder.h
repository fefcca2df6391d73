// Encodes RGB frames with Debian's ffmpeg, which runs as a child process
// and reads them raw from a socket: H.264 in MP4, or an animated GIF with a
// palette made for the clip. A video counts as made only when ffmpeg ends
// well, says nothing on its error stream (ffmpeg 5.1 ends with status 0
// after "Error writing trailer: No space left on device") and the file is
// whole: a GIF ends in its trailer byte, an MP4 probes whole with ffprobe.
#ifndef TROTIX_GAITLAB_VIDEOENCODER_H_
#define TROTIX_GAITLAB_VIDEOENCODER_H_

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "gaitlab/video/ToolProcess.h"
#include "gaitlab/video/VideoFileCheck.h"

namespace trotix {

struct VideoShape {
  int width = 640, height = 480;  // even, as H.264 wants
  double framesPerSecond = 30.0;
  VideoFormat format = VideoFormat::kMp4;
};

class VideoEncoder {
 public:
  // Starts ffmpeg writing the video to `output` from its start; `name` is
  // the file's name for messages. Throws OutputError when ffmpeg cannot run.
  VideoEncoder(std::FILE* output, const std::string& name, const VideoShape& shape,
               std::chrono::milliseconds stallLimit = kEncoderStallLimit);
  // Stops an unfinished ffmpeg.
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // One frame of width x height RGB pixels, the bottom row first, as
  // OpenGL reads them. Throws OutputError when ffmpeg has gone or stalled.
  void addFrame(const unsigned char* rgb);
  // Ends the video, waits for ffmpeg and checks the file; throws
  // OutputError, with the last line ffmpeg wrote, if the video is not whole.
  void finish();

 private:
  std::string failure(const std::string& what) const;

  std::FILE* output_;
  std::string name_;
  VideoFormat format_;
  std::size_t frameBytes_;
  std::int64_t frames_ = 0;
  std::chrono::milliseconds stallLimit_;
  int socket_ = -1;  // ffmpeg's standard input
  std::optional<ToolProcess> ffmpeg_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_VIDEOENCODER_H_
