// The OpenGL child window that shows the walking robot as a stick figure.
// It reads the engine's joint angles on every paint and never writes to the
// engine; left drags turn the scene, right drags zoom it. Mouse handlers do
// not repaint: the owner refreshes the view after each engine tick.
#ifndef TROTIX_VIEW_LINUX_ROBOTVIEW_H_
#define TROTIX_VIEW_LINUX_ROBOTVIEW_H_

#include <cstdint>

#include <wx/glcanvas.h>

#include "trotix/WalkEngine.h"
#include "view/Camera.h"

namespace trotix {

class RobotView;

// One window and one rendering context serve the whole process: a second
// view would take both over. Null while there is none.
extern RobotView* viewDeviceContext;
extern wxGLContext* viewRenderContext;

class RobotView : public wxGLCanvas {
 public:
  // Creates the child GL window at `rect` (client pixels of parent). The GL
  // set-up runs once the native window exists.
  RobotView(wxWindow* parent, const wxRect& rect);
  ~RobotView() override;  // releaseGlContext(), then the window goes
  RobotView(const RobotView&) = delete;
  RobotView& operator=(const RobotView&) = delete;

  // Creates the rendering context on the chosen visual and makes it current.
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

  // Never takes the keyboard focus, neither by Tab nor by a click.
  bool AcceptsFocus() const override { return false; }

  // Frames completed by the paint handler.
  std::uint64_t framesDrawnForTesting() const { return framesDrawn; }

  const WalkEngine* engine = nullptr;  // not owned; only jointAngles is read
  Camera camera;
  GLuint starTexture = 0;

 private:
  void onCreate(wxWindowCreateEvent& event);
  void onPaint(wxPaintEvent& event);
  void onSize(wxSizeEvent& event);
  void onEraseBackground(wxEraseEvent& event);
  void onLeftDown(wxMouseEvent& event);
  void onLeftUp(wxMouseEvent& event);
  void onMotion(wxMouseEvent& event);
  void onRightDown(wxMouseEvent& event);

  void runCreationSequence();
  bool glReady() const;

  bool pixelFormatChosen = false;
  bool creationDone = false;
  std::uint64_t framesDrawn = 0;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace trotix

#endif  // TROTIX_VIEW_LINUX_ROBOTVIEW_H_
