// Whether a video file that ffmpeg wrote is whole: the checks that catch a
// file cut short when ffmpeg itself did not say so.
#ifndef TROTIX_GAITLAB_VIDEOFILECHECK_H_
#define TROTIX_GAITLAB_VIDEOFILECHECK_H_

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace trotix {

enum class VideoFormat { kMp4, kGif };

// How long ffmpeg or ffprobe may neither take input nor work before it is
// ended.
constexpr std::chrono::milliseconds kEncoderStallLimit = std::chrono::seconds(10);

// Throws OutputError naming `name` unless `file` (a regular file; anything
// else cannot be read back and passes) holds a whole video of `frames`
// frames: a GIF that ends in its trailer byte, an MP4 whose top-level boxes
// fill the file exactly and in which ffprobe finds every frame.
void CheckVideoWhole(std::FILE* file, VideoFormat format, std::int64_t frames,
                     const std::string& name,
                     std::chrono::milliseconds stallLimit = kEncoderStallLimit);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_VIDEOFILECHECK_H_
