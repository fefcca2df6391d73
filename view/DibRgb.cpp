// The last step of loading: section rows of blue, green, red (padded, in the
// file's order) into rows of red, green, blue without gaps, bottom row first.
#include "view/DibDecoder.h"

namespace trotix {
namespace {

void SwapRedBlueRow(const unsigned char* src, std::size_t width, unsigned char* out) {
  for (std::size_t x = 0; x < width; ++x, src += 3, out += 3) {
    out[0] = src[2];
    out[1] = src[1];
    out[2] = src[0];
  }
}

}  // namespace

void CopySectionToRgb(const DibSection& section, unsigned char* rgb) {
  const std::size_t rowCount = section.rowCount();
  const std::size_t width = static_cast<std::size_t>(section.width);
  const bool topDown = section.height < 0;
  for (std::size_t y = 0; y < rowCount; ++y) {
    const std::size_t sourceRow = topDown ? rowCount - 1 - y : y;
    SwapRedBlueRow(section.bits.get() + sourceRow * section.stride, width, rgb + y * width * 3);
  }
}

}  // namespace trotix
