// What both platforms' RobotViews share: the OpenGL set-up when the view's
// window is created, with its failure boxes, the texture, the fixed state,
// the projection, the paint sequence and the release of the rendering
// context. The platform class supplies the pixel format, the rendering
// context and the window that owns the boxes.
#ifndef TROTIX_VIEW_ROBOTVIEWCORE_H_
#define TROTIX_VIEW_ROBOTVIEWCORE_H_

#include <cstdint>

#include "trotix/WalkEngine.h"
#include "view/Camera.h"
#include "view/MessageBox.h"

namespace trotix {

class RobotViewCore {
 public:
  RobotViewCore() = default;
  virtual ~RobotViewCore() = default;
  RobotViewCore(const RobotViewCore&) = delete;
  RobotViewCore& operator=(const RobotViewCore&) = delete;

  // Chooses and sets the pixel format, creates the rendering context and
  // makes it current.
  bool createGlContext();
  // Builds the texture; only if that works, sets the fixed GL state
  // (white background, depth test).
  bool initGlState();
  // Makes a texture from "Data/Star.bmp" in the working directory.
  bool createTextures();
  // Viewport and perspective projection for a client size in pixels.
  void resizeScene(int width, int height);
  // Draws the stick figure with the camera; returns 0.
  int drawRobot();
  // Deletes the rendering context, if any.
  void releaseGlContext();

  // Frames completed by the paint sequence.
  std::uint64_t framesDrawnForTesting() const { return framesDrawn_; }

  const WalkEngine* engine = nullptr;  // not owned; only jointAngles is read
  Camera camera;
  unsigned int starTexture = 0;

 protected:
  // The creation sequence: the rendering context, a first projection and the
  // fixed state. Creation goes on whatever it gives; without a context the
  // GL calls act on none.
  void setUpGl();
  // Makes the context current, clears, draws the figure and presents it.
  void drawFrame();

 private:
  // The platform's half. Each returns whether it succeeded.
  virtual bool choosePixelFormat() = 0;
  virtual bool setPixelFormat() = 0;
  virtual bool createRenderContext() = 0;
  virtual bool makeRenderContextCurrent() = 0;
  virtual bool hasRenderContext() const = 0;
  virtual bool makeNoContextCurrent() = 0;
  // Deletes the context and forgets it, whether or not that succeeded.
  virtual bool deleteRenderContext() = 0;
  virtual void swapBuffers() = 0;
  // The view's own window, which owns its boxes.
  virtual MessageOwner boxOwner() = 0;

  std::uint64_t framesDrawn_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_VIEW_ROBOTVIEWCORE_H_
