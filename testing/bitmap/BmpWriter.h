// Writes 24-bit Windows bitmaps for the view's tests and for the program's
// star picture: file header, 40-byte info header, bottom-up rows padded to
// four bytes.
#ifndef TROTIX_TESTS_VIEW_BMPWRITER_H_
#define TROTIX_TESTS_VIEW_BMPWRITER_H_

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "testing/bitmap/BmpBuilder.h"

namespace trotix {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// `pixel(x, y)` gives the colour at column x of row y, row 0 at the top.
inline bool WriteBmp24(const std::string& path, int width, int height,
                       const std::function<Rgb(int x, int y)>& pixel) {
  std::vector<Bytes> rows;
  for (int row = height - 1; row >= 0; --row) {
    Bytes& bgr = rows.emplace_back();
    for (int x = 0; x < width; ++x) {
      const Rgb c = pixel(x, row);
      bgr.insert(bgr.end(), {c.blue, c.green, c.red});
    }
  }
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  layout.pixels = PadRows(rows);
  layout.imageSize = static_cast<std::uint32_t>(layout.pixels.size());
  const Bytes file = BuildBmp(layout);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace trotix

#endif  // TROTIX_TESTS_VIEW_BMPWRITER_H_
