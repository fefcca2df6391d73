#include "bitmap/DibRle.h"

#include <algorithm>

namespace trotix {
namespace {

// Escape codes that follow a zero count byte.
constexpr unsigned char kEndOfLine = 0;
constexpr unsigned char kEndOfBitmap = 1;
constexpr unsigned char kDelta = 2;

// The pen of the stream: a position that may run past the row (it is then
// clipped when painting) and the painting of runs at that position.
class RlePainter {
 public:
  RlePainter(RleKind kind, const ColorLookup& lookup, std::uint32_t width, std::size_t rowCount,
             unsigned char* out, std::size_t stride)
      : kind_(kind),
        lookup_(lookup),
        width_(width),
        rowCount_(rowCount),
        out_(out),
        stride_(stride) {}

  bool insidePicture() const { return y_ < rowCount_; }

  void nextLine() {
    x_ = 0;
    ++y_;
  }

  void move(unsigned dx, unsigned dy) {
    x_ = std::min<std::size_t>(x_ + dx, width_);
    y_ += dy;
  }

  // `count` pixels from one byte: itself for RLE8, its two nibbles in turn
  // for RLE4.
  void encodedRun(unsigned count, unsigned char value) {
    const std::uint32_t colors[2] = {color(kind_ == RleKind::kRle8 ? value : value >> 4),
                                     color(kind_ == RleKind::kRle8 ? value : value & 0xF)};
    const std::size_t end = clippedEnd(count);
    unsigned char* pixel = row() + 3 * x_;
    for (std::size_t i = 0; x_ + i < end; ++i, pixel += 3) PutPixel(pixel, colors[i & 1]);
    x_ = std::min<std::size_t>(x_ + count, width_);
  }

  // `count` pixels, one per byte (RLE8) or nibble (RLE4) of `data`, which
  // holds at least that many.
  void absoluteRun(unsigned count, const unsigned char* data) {
    const std::size_t end = clippedEnd(count);
    unsigned char* pixel = row() + 3 * x_;
    for (std::size_t i = 0; x_ + i < end; ++i, pixel += 3) {
      const unsigned index =
          kind_ == RleKind::kRle8 ? data[i] : (i & 1 ? data[i / 2] & 0xF : data[i / 2] >> 4);
      PutPixel(pixel, lookup_[index]);
    }
    x_ = std::min<std::size_t>(x_ + count, width_);
  }

 private:
  std::uint32_t color(unsigned index) const { return lookup_[index]; }
  unsigned char* row() const { return out_ + y_ * stride_; }
  std::size_t clippedEnd(unsigned count) const { return std::min<std::size_t>(x_ + count, width_); }

  RleKind kind_;
  const ColorLookup& lookup_;
  std::size_t width_;
  std::size_t rowCount_;
  unsigned char* out_;
  std::size_t stride_;
  std::size_t x_ = 0;
  std::size_t y_ = 0;
};

}  // namespace

void DecodeRle(RleKind kind, const unsigned char* stream, std::size_t length,
               const ColorLookup& lookup, std::uint32_t width, std::size_t rowCount,
               unsigned char* out, std::size_t stride) {
  RlePainter painter(kind, lookup, width, rowCount, out, stride);
  std::size_t at = 0;
  while (length - at >= 2 && painter.insidePicture()) {
    const unsigned count = stream[at];
    const unsigned char code = stream[at + 1];
    at += 2;
    if (count > 0) {
      painter.encodedRun(count, code);
    } else if (code == kEndOfLine) {
      painter.nextLine();
    } else if (code == kEndOfBitmap) {
      return;
    } else if (code == kDelta) {
      if (length - at < 2) return;
      painter.move(stream[at], stream[at + 1]);
      at += 2;
    } else {
      // Absolute run: `code` pixels, their bytes padded to a 16-bit boundary.
      const std::size_t dataBytes = kind == RleKind::kRle8 ? code : (code + 1u) / 2;
      if (length - at < dataBytes) return;  // cut short: nothing more to paint
      painter.absoluteRun(code, stream + at);
      at += std::min(length - at, (dataBytes + 1) & ~std::size_t{1});
    }
  }
}

}  // namespace trotix
