#include "gaitlab/video/VideoFileCheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include "gaitlab/io/InputError.h"
#include "gaitlab/video/ToolProcess.h"

namespace trotix {
namespace {

constexpr unsigned char kGifTrailer = 0x3B;

bool ReadAt(int fd, std::int64_t offset, unsigned char* bytes, std::size_t count) {
  return ::pread(fd, bytes, count, static_cast<off_t>(offset)) == static_cast<ssize_t>(count);
}

std::uint64_t BigEndian(const unsigned char* bytes, int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

// Each box starts with its 32-bit size (1: a 64-bit size follows the type;
// 0: up to the end of the file) and its type; a file cut short leaves the
// last box longer than what remains.
bool BoxesFillFile(int fd, std::int64_t size) {
  std::int64_t at = 0;
  while (at < size) {
    unsigned char header[16];
    if (size - at < 8 || !ReadAt(fd, at, header, 8)) return false;
    std::uint64_t length = BigEndian(header, 4);
    if (length == 0) return true;
    if (length == 1) {
      if (size - at < 16 || !ReadAt(fd, at + 8, header + 8, 8)) return false;
      length = BigEndian(header + 8, 8);
    }
    if (length < 8 || length > static_cast<std::uint64_t>(size - at)) return false;
    at += static_cast<std::int64_t>(length);
  }
  return size > 0;
}

// The frame count of the first video stream as ffprobe reads the file.
std::string ProbedFrames(int fd, const std::string& name, std::chrono::milliseconds stallLimit,
                         std::string& complaint) {
  ToolProcess probe({"ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                     "stream=nb_frames", "-of", "csv=p=0", "/dev/fd/3"},
                    -1, fd, name, stallLimit);
  const int status = probe.wait();
  complaint = probe.lastErrorLine();
  if (status != 0 && complaint.empty()) complaint = "ffprobe failed";
  std::string frames = probe.output();
  while (!frames.empty() && (frames.back() == '\n' || frames.back() == '\r')) frames.pop_back();
  return frames;
}

}  // namespace

void CheckVideoWhole(std::FILE* file, VideoFormat format, std::int64_t frames,
                     const std::string& name, std::chrono::milliseconds stallLimit) {
  const int fd = fileno(file);
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return;
  const std::int64_t size = info.st_size;
  const std::string broken = name + ": the video ffmpeg wrote is not whole: ";
  if (format == VideoFormat::kGif) {
    unsigned char last = 0;
    if (size == 0 || !ReadAt(fd, size - 1, &last, 1) || last != kGifTrailer) {
      throw OutputError(broken + "the GIF has no trailer");
    }
    return;
  }
  if (!BoxesFillFile(fd, size)) throw OutputError(broken + "the MP4 ends inside a box");
  std::string complaint;
  const std::string probed = ProbedFrames(fd, name, stallLimit, complaint);
  if (!complaint.empty()) throw OutputError(broken + "ffprobe: " + PrintableText(complaint));
  if (probed != std::to_string(frames)) {
    throw OutputError(broken + "ffprobe finds " + QuoteForMessage(probed) + " frames of " +
                      std::to_string(frames));
  }
}

}  // namespace trotix
