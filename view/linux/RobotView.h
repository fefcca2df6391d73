// The OpenGL child window that shows the walking robot as a stick figure.
// It reads the engine's joint angles on every paint and never writes to the
// engine; left drags turn the scene, right drags zoom it. Mouse handlers do
// not repaint: the owner refreshes the view after each engine tick.
#ifndef TROTIX_VIEW_LINUX_ROBOTVIEW_H_
#define TROTIX_VIEW_LINUX_ROBOTVIEW_H_

#include <wx/glcanvas.h>

#include "view/RobotViewCore.h"

namespace trotix {

class RobotView;

// One window and one rendering context serve the whole process: a second
// view would take both over. Null while there is none.
extern RobotView* viewDeviceContext;
extern wxGLContext* viewRenderContext;

class RobotView : public wxGLCanvas, public RobotViewCore {
 public:
  // Creates the child GL window at `rect` (client pixels of parent). The GL
  // set-up runs once the native window exists.
  RobotView(wxWindow* parent, const wxRect& rect);
  ~RobotView() override;  // releaseGlContext(), then the window goes
  RobotView(const RobotView&) = delete;
  RobotView& operator=(const RobotView&) = delete;

  // Never takes the keyboard focus, neither by Tab nor by a click.
  bool AcceptsFocus() const override { return false; }

 private:
  bool choosePixelFormat() override { return pixelFormatChosen_; }
  // wx sets the visual with the window; without a window there is none.
  bool setPixelFormat() override { return GetHandle() != nullptr; }
  bool createRenderContext() override;
  bool makeRenderContextCurrent() override;
  bool hasRenderContext() const override { return viewRenderContext != nullptr; }
  bool makeNoContextCurrent() override;
  bool deleteRenderContext() override;
  void swapBuffers() override { viewDeviceContext->SwapBuffers(); }
  MessageOwner boxOwner() override { return this; }

  void onCreate(wxWindowCreateEvent& event);
  void onPaint(wxPaintEvent& event);
  void onSize(wxSizeEvent& event);
  void onLeftDown(wxMouseEvent& event);
  void onMotion(wxMouseEvent& event);
  void onRightDown(wxMouseEvent& event);

  void runCreationSequence();
  bool glReady() const;

  bool pixelFormatChosen_ = false;
  bool creationDone_ = false;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace trotix

#endif  // TROTIX_VIEW_LINUX_ROBOTVIEW_H_
