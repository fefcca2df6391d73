#include "view/linux/RobotView.h"

#include <wx/dcclient.h>

#include "view/linux/NoCurrentGlContext.h"
#include "view/linux/OpenGlDisplay.h"

namespace trotix {

RobotView* viewDeviceContext = nullptr;
wxGLContext* viewRenderContext = nullptr;

namespace {

// On a display without GLX, wx's canvas set-up asserts that a visual it
// cannot find exists. That is no programming error, and the view reports it
// in its own box, so wx's checks are off while that canvas is built.
wxAssertHandler_t assertHandlerOutsideCanvasSetUp = nullptr;
bool assertsOffForCanvasSetUp = false;

void RestoreAssertsAfterCanvasSetUp() {
  if (!assertsOffForCanvasSetUp) return;
  wxSetAssertHandler(assertHandlerOutsideCanvasSetUp);
  assertsOffForCanvasSetUp = false;
}

// RGBA, double buffered, 24-bit colour, and the deepest depth buffer the
// display offers up to 32 bits. Sets `chosen` to whether any was offered.
// A display without GLX offers none; building attributes there would assert.
wxGLAttributes ChooseVisual(bool& chosen) {
  chosen = false;
  if (!DisplayHasOpenGl()) {
    assertHandlerOutsideCanvasSetUp = wxSetAssertHandler(nullptr);
    assertsOffForCanvasSetUp = true;
    return wxGLAttributes();
  }
  for (int depthBits : {32, 24, 16}) {
    wxGLAttributes attributes;
    attributes.PlatformDefaults()
        .RGBA()
        .DoubleBuffer()
        .MinRGBA(8, 8, 8, 0)
        .Depth(depthBits)
        .EndList();
    if (wxGLCanvas::IsDisplaySupported(attributes)) {
      chosen = true;
      return attributes;
    }
  }
  wxGLAttributes fallback;
  fallback.PlatformDefaults().RGBA().DoubleBuffer().EndList();
  return fallback;
}

bool visualChosen = false;  // outcome of the last ChooseVisual, for the constructor

}  // namespace

RobotView::RobotView(wxWindow* parent, const wxRect& rect)
    : wxGLCanvas(parent, ChooseVisual(visualChosen), wxID_ANY, rect.GetPosition(), rect.GetSize(),
                 wxFULL_REPAINT_ON_RESIZE) {
  RestoreAssertsAfterCanvasSetUp();
  pixelFormatChosen_ = visualChosen;
  // wx makes no canvas window without a GL visual; a plain one takes its
  // place, so the view still has a window (to own its boxes, for one).
  if (GetHandle() == nullptr) {
    m_noExpose = false;  // the canvas set-up had turned paint events off
    wxWindow::Create(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
                     wxFULL_REPAINT_ON_RESIZE);
  }
  // Not a tab stop: the keyboard focus starts on, and stays with, the
  // dialog's controls.
  if (GetHandle() != nullptr) SetCanFocus(false);
  // Every visible pixel comes from OpenGL: the toolkit erases nothing.
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  // GTK sends the creation event when it realises the window. Inside a
  // parent that is already on screen that happens during construction,
  // before this handler could see it; without a native window it never
  // happens. In both cases run the sequence now (it reports what failed).
  if (GetHandle() == nullptr || GetXWindow() != 0) runCreationSequence();
}

RobotView::~RobotView() {
  releaseGlContext();
  if (viewDeviceContext == this) viewDeviceContext = nullptr;
}

void RobotView::runCreationSequence() {
  if (creationDone_) return;
  creationDone_ = true;
  viewDeviceContext = this;
  setUpGl();
  // GTK may have sized the window before it was realised; no later size
  // event would then set the real projection.
  if (GetHandle() == nullptr) return;
  const wxSize size = GetClientSize();
  resizeScene(size.x, size.y);
}

bool RobotView::createRenderContext() {
  viewRenderContext = new wxGLContext(viewDeviceContext);
  if (viewRenderContext->IsOK()) return true;
  delete viewRenderContext;
  viewRenderContext = nullptr;
  return false;
}

bool RobotView::makeRenderContextCurrent() {
  return viewRenderContext->SetCurrent(*viewDeviceContext);
}

bool RobotView::makeNoContextCurrent() { return MakeNoGlContextCurrent(); }

// wx gives no failure for the deletion itself.
bool RobotView::deleteRenderContext() {
  delete viewRenderContext;
  viewRenderContext = nullptr;
  return true;
}

bool RobotView::glReady() const {
  return creationDone_ && viewRenderContext != nullptr && viewDeviceContext != nullptr;
}

void RobotView::onCreate(wxWindowCreateEvent& event) {
  event.Skip();
  if (event.GetWindow() == this) runCreationSequence();
}

void RobotView::onPaint(wxPaintEvent&) {
  wxPaintDC paintDc(this);  // validates the update region; GL does the drawing
  if (glReady()) drawFrame();
}

void RobotView::onSize(wxSizeEvent& event) {
  event.Skip();
  if (!glReady()) return;
  makeRenderContextCurrent();
  const wxSize size = GetClientSize();
  resizeScene(size.x, size.y);
}

void RobotView::onLeftDown(wxMouseEvent& event) {
  camera.anchorRotation(event.GetX(), event.GetY());
  event.Skip();
}

void RobotView::onMotion(wxMouseEvent& event) {
  camera.dragTo(event.GetX(), event.GetY(), event.LeftIsDown(), event.RightIsDown());
  event.Skip();
}

void RobotView::onRightDown(wxMouseEvent& event) {
  camera.anchorZoom(event.GetX(), event.GetY());
  event.Skip();
}

// clang-format off
wxBEGIN_EVENT_TABLE(RobotView, wxGLCanvas)
  EVT_WINDOW_CREATE(RobotView::onCreate)
  EVT_PAINT(RobotView::onPaint)
  EVT_SIZE(RobotView::onSize)
  EVT_LEFT_DOWN(RobotView::onLeftDown)
  EVT_MOTION(RobotView::onMotion)
  EVT_RIGHT_DOWN(RobotView::onRightDown)
wxEND_EVENT_TABLE()
// clang-format on

}  // namespace trotix
