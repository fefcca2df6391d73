#include "view/Camera.h"

#include <cmath>

namespace trotix {
namespace {

constexpr float kDegreesPerPixel = 0.5f;
constexpr float kZoomGrowth = 0.005f;

}  // namespace

void Camera::anchorRotation(int x, int y) {
  pressX = x;
  pressY = y;
  angleXAtPress = angleX;
  angleYAtPress = angleY;
}

void Camera::anchorZoom(int x, int y) {
  pressX = x;
  pressY = y;
  distanceAtPress = distance;
}

void Camera::dragTo(int x, int y, bool leftDown, bool rightDown) {
  if (leftDown) {
    angleY = angleYAtPress - static_cast<float>(pressX - x) * kDegreesPerPixel;
    angleX = angleXAtPress - static_cast<float>(pressY - y) * kDegreesPerPixel;
  } else if (rightDown) {
    const float factor = std::fabs(distance * kZoomGrowth) + 1.0f;
    distance = distanceAtPress - static_cast<float>(pressY - y) * factor;
  }
}

}  // namespace trotix
