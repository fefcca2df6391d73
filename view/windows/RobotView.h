// The OpenGL child window that shows the walking robot as a stick figure, on
// Win32 and WGL. It reads the engine's joint angles on every paint and never
// writes to the engine; left drags turn the scene, right drags zoom it.
// Mouse handlers do not repaint: the owner invalidates the view after each
// engine tick.
#ifndef TROTIX_VIEW_WINDOWS_ROBOTVIEW_H_
#define TROTIX_VIEW_WINDOWS_ROBOTVIEW_H_

#include <windows.h>

#include "view/RobotViewCore.h"

namespace trotix {

// One device context and one rendering context serve the whole process: a
// second view would take both over. The device context is taken when the
// view's window is created and kept; the rendering context is null while
// there is none.
extern HDC viewDeviceContext;
extern HGLRC viewRenderContext;

class RobotView : public RobotViewCore {
 public:
  RobotView() = default;
  ~RobotView() override;  // releaseGlContext(), then the window goes

  // Creates the child window; its creation sets up OpenGL. False if the
  // window could not be made.
  bool create(HWND parent, const RECT& rect, DWORD style, int childId);
  HWND window() const { return hwnd_; }

 private:
  bool choosePixelFormat() override;
  bool setPixelFormat() override;
  bool createRenderContext() override;
  bool makeRenderContextCurrent() override;
  bool hasRenderContext() const override { return viewRenderContext != nullptr; }
  bool makeNoContextCurrent() override;
  bool deleteRenderContext() override;
  void swapBuffers() override;
  MessageOwner boxOwner() override { return hwnd_; }

  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleCreate(WPARAM wParam, LPARAM lParam);
  void handlePaint();

  HWND hwnd_ = nullptr;
  int pixelFormat_ = 0;  // the format ChoosePixelFormat gave, 0 for none
};

}  // namespace trotix

#endif  // TROTIX_VIEW_WINDOWS_ROBOTVIEW_H_
