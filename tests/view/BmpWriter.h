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

namespace trotix {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// `pixel(x, y)` gives the colour at column x of row y, row 0 at the top.
inline bool WriteBmp24(const std::string& path, int width, int height,
                       const std::function<Rgb(int x, int y)>& pixel) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
  std::vector<std::uint8_t> file;
  const auto put16 = [&](std::uint32_t v) {
    file.push_back(v & 0xff);
    file.push_back((v >> 8) & 0xff);
  };
  const auto put32 = [&](std::uint32_t v) {
    put16(v & 0xffff);
    put16(v >> 16);
  };
  file.push_back('B');
  file.push_back('M');
  put32(14 + 40 + imageBytes);
  put32(0);
  put32(14 + 40);
  put32(40);
  put32(static_cast<std::uint32_t>(width));
  put32(static_cast<std::uint32_t>(height));
  put16(1);   // planes
  put16(24);  // bits per pixel
  put32(0);   // no compression
  put32(imageBytes);
  put32(2835);  // 72 dpi
  put32(2835);
  put32(0);
  put32(0);
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = pixel(x, row);
      file.push_back(c.blue);
      file.push_back(c.green);
      file.push_back(c.red);
    }
    for (int pad = width * 3; pad < rowBytes; ++pad) file.push_back(0);
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace trotix

#endif  // TROTIX_TESTS_VIEW_BMPWRITER_H_
