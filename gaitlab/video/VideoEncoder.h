// Encodes RGB frames with Debian's ffmpeg, which runs as a child process
// and reads them raw from a socket: H.264 in MP4, or an animated GIF with a
// palette made for the clip.
#ifndef TROTIX_GAITLAB_VIDEOENCODER_H_
#define TROTIX_GAITLAB_VIDEOENCODER_H_

#include <sys/types.h>

#include <cstdio>
#include <string>

namespace trotix {

enum class VideoFormat { kMp4, kGif };

struct VideoShape {
  int width = 640, height = 480;  // even, as H.264 wants
  double framesPerSecond = 30.0;
  VideoFormat format = VideoFormat::kMp4;
};

class VideoEncoder {
 public:
  // Starts ffmpeg writing the video to `output` from its start; `name` is
  // the file's name for messages. Throws OutputError when ffmpeg cannot run.
  VideoEncoder(std::FILE* output, const std::string& name, const VideoShape& shape);
  // Stops an unfinished ffmpeg.
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // One frame of width x height RGB pixels, the bottom row first, as
  // OpenGL reads them. Throws OutputError when ffmpeg has gone.
  void addFrame(const unsigned char* rgb);
  // Ends the video and waits for ffmpeg; throws OutputError with the last
  // line ffmpeg wrote if it failed.
  void finish();

 private:
  std::string failure(const std::string& what) const;

  std::string name_;
  std::size_t frameBytes_;
  int socket_ = -1;           // ffmpeg's standard input
  std::FILE* log_ = nullptr;  // ffmpeg's standard error
  pid_t child_ = -1;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_VIDEOENCODER_H_
