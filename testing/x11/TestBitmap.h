// A small, valid Windows bitmap for the program's Data/Star.bmp.
#ifndef TROTIX_TESTS_APP_TESTBITMAP_H_
#define TROTIX_TESTS_APP_TESTBITMAP_H_

#include <cstdint>
#include <vector>

namespace trotix::testing {

// 8 x 8 pixels, 24 bits, with the file header and a 40-byte info header.
std::vector<std::uint8_t> ValidStarBitmap();

}  // namespace trotix::testing

#endif  // TROTIX_TESTS_APP_TESTBITMAP_H_
