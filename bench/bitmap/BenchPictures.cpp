#include "BenchPictures.h"

#include <cstdint>
#include <utility>

#include "testing/bitmap/BmpBuilder.h"

namespace trotix {
namespace {

// A 1024 x 1024 file of the given format; 8-bit pictures get a 256-colour
// table.
FileBytes Picture(std::uint16_t bitCount, std::uint32_t compression, Bytes pixels) {
  BmpLayout layout;
  layout.width = kBenchSide;
  layout.height = kBenchSide;
  layout.bitCount = bitCount;
  layout.compression = compression;
  if (bitCount == 8) {
    layout.colorsUsed = 256;
    for (std::uint32_t i = 0; i < 256; ++i) layout.palette.push_back((i * 0x9E3779B1u) & 0xFFFFFF);
  }
  layout.pixels = std::move(pixels);
  return BuildBmp(layout);
}

unsigned Ring(int x, int y) {
  const int dx = x - kBenchSide / 2, dy = y - kBenchSide / 2;
  return static_cast<unsigned>(dx * dx + dy * dy) / 512 % 256;
}

// Appends one row of indices in RLE8: runs of three or more encoded, the
// pixels between them as absolute runs (or single encoded pixels when fewer
// than three).
void EncodeRle8Row(const std::vector<unsigned char>& row, FileBytes* out) {
  std::size_t x = 0, literalStart = 0;
  const auto flushLiteral = [&](std::size_t end) {
    while (end - literalStart >= 3) {
      const std::size_t n = std::min<std::size_t>(end - literalStart, 255);
      out->push_back(0);
      out->push_back(static_cast<unsigned char>(n));
      out->insert(out->end(), row.begin() + literalStart, row.begin() + literalStart + n);
      if (n % 2) out->push_back(0);
      literalStart += n;
    }
    for (; literalStart < end; ++literalStart) out->insert(out->end(), {1, row[literalStart]});
  };
  while (x < row.size()) {
    std::size_t run = 1;
    while (x + run < row.size() && row[x + run] == row[x] && run < 255) ++run;
    if (run >= 3) {
      flushLiteral(x);
      out->insert(out->end(), {static_cast<unsigned char>(run), row[x]});
      literalStart = x + run;
    }
    x += run;
  }
  flushLiteral(row.size());
  out->insert(out->end(), {0, 0});
}

}  // namespace

FileBytes Make24BitPicture() {
  Bytes out;
  for (int y = 0; y < kBenchSide; ++y) {
    for (int x = 0; x < kBenchSide; ++x) {
      out.insert(out.end(), {static_cast<unsigned char>(x), static_cast<unsigned char>(y),
                             static_cast<unsigned char>(x + y)});
    }
  }
  return Picture(24, 0, std::move(out));
}

FileBytes Make8BitPicture() {
  Bytes out;
  std::uint32_t noise = 12345;
  for (int y = 0; y < kBenchSide; ++y) {
    for (int x = 0; x < kBenchSide; ++x) {
      noise = noise * 1664525u + 1013904223u;
      out.push_back(static_cast<unsigned char>(Ring(x, y) ^ (noise >> 29)));
    }
  }
  return Picture(8, 0, std::move(out));
}

FileBytes MakeRle8Picture() {
  Bytes out;
  std::vector<unsigned char> row(kBenchSide);
  for (int y = 0; y < kBenchSide; ++y) {
    for (int x = 0; x < kBenchSide; ++x) {
      // Rings, with every 16th column a one-pixel line that breaks the runs.
      row[x] = static_cast<unsigned char>(x % 16 == 0 ? 255 - Ring(x, y) : Ring(x, y));
    }
    EncodeRle8Row(row, &out);
  }
  out.insert(out.end(), {0, 1});
  return Picture(8, 1, std::move(out));
}

}  // namespace trotix
