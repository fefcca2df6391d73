#include "BenchPictures.h"

#include <cstdint>

namespace trotix {
namespace {

void Put16(FileBytes* out, std::uint32_t value) {
  out->push_back(static_cast<unsigned char>(value));
  out->push_back(static_cast<unsigned char>(value >> 8));
}
void Put32(FileBytes* out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// File header, info header and colour table; the pixels follow.
FileBytes Headers(std::uint16_t bitCount, std::uint32_t compression, std::uint32_t colors) {
  const std::uint32_t offBits = 14 + 40 + 4 * colors;
  FileBytes out = {'B', 'M'};
  Put32(&out, 0);
  Put32(&out, 0);
  Put32(&out, offBits);
  for (std::uint32_t field : {40u, std::uint32_t{kBenchSide}, std::uint32_t{kBenchSide}}) {
    Put32(&out, field);
  }
  Put16(&out, 1);
  Put16(&out, bitCount);
  for (std::uint32_t field : {compression, 0u, 2835u, 2835u, colors, 0u}) Put32(&out, field);
  for (std::uint32_t i = 0; i < colors; ++i) Put32(&out, (i * 0x9E3779B1u) & 0xFFFFFF);
  return out;
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
  FileBytes out = Headers(24, 0, 0);
  for (int y = 0; y < kBenchSide; ++y) {
    for (int x = 0; x < kBenchSide; ++x) {
      out.insert(out.end(), {static_cast<unsigned char>(x), static_cast<unsigned char>(y),
                             static_cast<unsigned char>(x + y)});
    }
  }
  return out;
}

FileBytes Make8BitPicture() {
  FileBytes out = Headers(8, 0, 256);
  std::uint32_t noise = 12345;
  for (int y = 0; y < kBenchSide; ++y) {
    for (int x = 0; x < kBenchSide; ++x) {
      noise = noise * 1664525u + 1013904223u;
      out.push_back(static_cast<unsigned char>(Ring(x, y) ^ (noise >> 29)));
    }
  }
  return out;
}

FileBytes MakeRle8Picture() {
  FileBytes out = Headers(8, 1, 256);
  std::vector<unsigned char> row(kBenchSide);
  for (int y = 0; y < kBenchSide; ++y) {
    for (int x = 0; x < kBenchSide; ++x) {
      // Rings, with every 16th column a one-pixel line that breaks the runs.
      row[x] = static_cast<unsigned char>(x % 16 == 0 ? 255 - Ring(x, y) : Ring(x, y));
    }
    EncodeRle8Row(row, &out);
  }
  out.insert(out.end(), {0, 1});
  return out;
}

}  // namespace trotix
