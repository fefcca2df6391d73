// The OpenGL child window that shows the walking robot as a stick figure, on
// Win32 and WGL. It reads the engine's joint angles on every paint and never
// writes to the engine; left drags turn the scene, right drags zoom it.
// Mouse handlers do not repaint: the owner invalidates the view after each
// engine tick.
#ifndef TROTIX_VIEW_WINDOWS_ROBOTVIEW_H_
#define TROTIX_VIEW_WINDOWS_ROBOTVIEW_H_

#include <windows.h>

#include <cstdint>

#include "trotix/WalkEngine.h"
#include "view/Camera.h"

namespace trotix {

// One device context and one rendering context serve the whole process: a
// second view would take both over. The device context is taken when the
// view's window is created and kept; the rendering context is null while
// there is none.
extern HDC viewDeviceContext;
extern HGLRC viewRenderContext;

class RobotView {
 public:
  RobotView() = default;
  virtual ~RobotView();  // releaseGlContext(), then the window goes
  RobotView(const RobotView&) = delete;
  RobotView& operator=(const RobotView&) = delete;

  // Creates the child window; its creation sets up OpenGL. False if the
  // window could not be made.
  bool create(HWND parent, const RECT& rect, DWORD style, int childId);
  HWND window() const { return hwnd; }

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

  // Frames completed by the paint handler.
  std::uint64_t framesDrawnForTesting() const { return framesDrawn; }

  const WalkEngine* engine = nullptr;  // not owned; only jointAngles is read
  Camera camera;
  unsigned int starTexture = 0;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleCreate(WPARAM wParam, LPARAM lParam);
  void handlePaint();

  HWND hwnd = nullptr;
  std::uint64_t framesDrawn = 0;
};

}  // namespace trotix

#endif  // TROTIX_VIEW_WINDOWS_ROBOTVIEW_H_
