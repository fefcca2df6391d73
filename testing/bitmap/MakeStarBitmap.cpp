// Draws the program's texture picture, a yellow five-pointed star on deep
// blue, and writes it as a 24-bit bitmap: make_star_bitmap Data/Star.bmp
#include <cmath>
#include <cstdio>

#include "testing/bitmap/BmpWriter.h"

namespace {

constexpr int kSize = 64;
constexpr double kPi = 3.14159265358979323846;

// Whether (x, y) lies inside the star centred in the picture: compare the
// point's radius with the star's outline radius at its angle.
bool InsideStar(double x, double y) {
  const double dx = x - kSize / 2.0, dy = kSize / 2.0 - y;
  const double outer = kSize * 0.46, inner = outer * 0.38;
  const double radius = std::hypot(dx, dy);
  double angle = std::atan2(dx, dy);  // 0 at the top point
  const double arm = 2.0 * kPi / 5.0;
  angle = std::fmod(angle + 2.0 * kPi, arm) / arm;  // 0 at a point, 0.5 between two
  const double t = std::fabs(angle - 0.5) * 2.0;    // 1 at a point, 0 at a notch
  // The outline between a point and a notch is straight; approximate it by
  // interpolating the reciprocal radius.
  const double edge = 1.0 / (t / outer + (1.0 - t) / inner);
  return radius <= edge;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
    return 2;
  }
  const bool written = trotix::WriteBmp24(argv[1], kSize, kSize, [](int x, int y) {
    return InsideStar(x + 0.5, y + 0.5) ? trotix::Rgb{255, 215, 0} : trotix::Rgb{20, 30, 110};
  });
  return written ? 0 : 1;
}
