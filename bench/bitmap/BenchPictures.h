// 1024 x 1024 bitmap files made in memory for the decoder benchmarks.
#ifndef TROTIX_BENCH_BITMAP_BENCHPICTURES_H_
#define TROTIX_BENCH_BITMAP_BENCHPICTURES_H_

#include <vector>

namespace trotix {

constexpr int kBenchSide = 1024;

using FileBytes = std::vector<unsigned char>;  // a whole .bmp file

// A 24-bit picture of smooth gradients.
FileBytes Make24BitPicture();
// An 8-bit picture with a 256-colour table: concentric rings of noisy colour.
FileBytes Make8BitPicture();
// The same rings without the noise, RLE8 encoded: runs of a few to a few
// dozen pixels with absolute runs between them.
FileBytes MakeRle8Picture();

}  // namespace trotix

#endif  // TROTIX_BENCH_BITMAP_BENCHPICTURES_H_
