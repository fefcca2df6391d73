#include "view/Camera.h"

#include <gtest/gtest.h>

namespace trotix {
namespace {

TEST(CameraTest, StartsBehindTheRobotLookingForward) {
  const Camera camera;
  EXPECT_EQ(camera.angleY, 90.0f);
  EXPECT_EQ(camera.angleX, 0.0f);
  EXPECT_EQ(camera.distance, -25.0f);
}

TEST(CameraTest, LeftDragTurnsHalfADegreePerPixel) {
  Camera camera;
  camera.angleY = 30.0f;
  camera.angleX = -4.0f;
  camera.anchorRotation(100, 200);
  camera.angleY = 999.0f;  // the anchor, not the current value, is the base
  camera.dragTo(120, 210, true, false);
  EXPECT_EQ(camera.angleY, 40.0f);
  EXPECT_EQ(camera.angleX, 1.0f);
  camera.dragTo(90, 180, true, false);  // left and up
  EXPECT_EQ(camera.angleY, 25.0f);
  EXPECT_EQ(camera.angleX, -14.0f);
  EXPECT_EQ(camera.distance, -25.0f);
}

TEST(CameraTest, RightDragZoomsWithFactorFromCurrentDistance) {
  Camera camera;
  camera.anchorZoom(50, 60);
  camera.dragTo(50, 50, false, true);  // ten pixels up: factor 1.125
  EXPECT_EQ(camera.distance, -36.25f);
  // The next move takes its factor from -36.25, not from the anchor.
  camera.dragTo(50, 50, false, true);
  const float factor = 36.25f * 0.005f + 1.0f;
  EXPECT_EQ(camera.distance, -25.0f - 10.0f * factor);
  EXPECT_NE(camera.distance, -36.25f);
  camera.dragTo(70, 80, false, true);  // below the press: nearer; x is ignored
  EXPECT_GT(camera.distance, -25.0f);
  EXPECT_EQ(camera.angleY, 90.0f);
}

TEST(CameraTest, ZoomMayPassThroughZero) {
  Camera camera;
  camera.distance = -2.0f;
  camera.anchorZoom(0, 0);
  camera.dragTo(0, 5, false, true);
  EXPECT_GT(camera.distance, 0.0f);
}

TEST(CameraTest, BothButtonsRotateOnlyAndNoButtonChangesNothing) {
  Camera camera;
  camera.anchorRotation(10, 10);
  camera.anchorZoom(10, 10);
  camera.dragTo(30, 0, true, true);
  EXPECT_EQ(camera.angleY, 100.0f);
  EXPECT_EQ(camera.angleX, -5.0f);
  EXPECT_EQ(camera.distance, -25.0f);

  const Camera before = camera;
  camera.dragTo(400, 400, false, false);
  EXPECT_EQ(camera.angleY, before.angleY);
  EXPECT_EQ(camera.angleX, before.angleX);
  EXPECT_EQ(camera.distance, before.distance);
}

}  // namespace
}  // namespace trotix
