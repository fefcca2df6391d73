// The view's camera: two rotation angles and a viewing distance, turned by
// left-button drags and zoomed by right-button drags. Pure arithmetic in
// 32-bit floats, so it is tested without a display.
#ifndef TROTIX_VIEW_CAMERA_H_
#define TROTIX_VIEW_CAMERA_H_

namespace trotix {

struct Camera {
  // Left button down at (x, y): anchors a rotation drag.
  void anchorRotation(int x, int y);
  // Right button down at (x, y): anchors a zoom drag.
  void anchorZoom(int x, int y);
  // Cursor moved to (x, y). The left button wins when both are held; with
  // neither held nothing changes. Half a degree of turn per pixel; the zoom
  // factor grows with the current distance, taken afresh on every move.
  void dragTo(int x, int y, bool leftDown, bool rightDown);

  float angleY = 90.0f;     // degrees about the y axis, applied last
  float angleX = 0.0f;      // degrees about the x axis, applied to the model first
  float distance = -25.0f;  // translation along z; negative is in front of the eye
  float angleYAtPress = 0.0f;
  float angleXAtPress = 0.0f;
  float distanceAtPress = 0.0f;
  int pressX = 0;  // client pixels of the last left or right press
  int pressY = 0;
};

}  // namespace trotix

#endif  // TROTIX_VIEW_CAMERA_H_
