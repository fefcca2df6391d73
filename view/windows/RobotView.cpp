#include "view/windows/RobotView.h"

#include <windowsx.h>

namespace trotix {

HDC viewDeviceContext = nullptr;
HGLRC viewRenderContext = nullptr;

namespace {

constexpr char kWindowClass[] = "TrotixRobotView";

// RGBA, double buffered, 24-bit colour, 32-bit depth, main plane.
constexpr PIXELFORMATDESCRIPTOR kPixelFormat = {
    sizeof(PIXELFORMATDESCRIPTOR),
    1,
    PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL,
    PFD_TYPE_RGBA,
    24,
    0,
    0,
    0,
    0,
    0,
    0,  // colour bits and shifts
    0,
    0,  // alpha
    0,
    0,
    0,
    0,
    0,   // accumulation
    32,  // depth
    0,   // stencil
    0,   // auxiliary buffers
    PFD_MAIN_PLANE,
    0,
    0,
    0,
    0,
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the descriptor is 40 bytes");

// A plain child-window class: redrawn whole on resizing, double-clicks,
// the arrow cursor and no background brush, so erasing paints nothing and
// every visible pixel comes from OpenGL.
bool RegisterViewClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
  }();
  return registered;
}

}  // namespace

RobotView::~RobotView() {
  releaseGlContext();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool RobotView::create(HWND parent, const RECT& rect, DWORD style, int childId) {
  if (!RegisterViewClass(&RobotView::windowProcedure)) return false;
  return CreateWindowExA(0, kWindowClass, "", style, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)),
                         GetModuleHandleA(nullptr), this) != nullptr;
}

bool RobotView::choosePixelFormat() {
  pixelFormat_ = ChoosePixelFormat(viewDeviceContext, &kPixelFormat);
  return pixelFormat_ != 0;
}

bool RobotView::setPixelFormat() {
  return SetPixelFormat(viewDeviceContext, pixelFormat_, &kPixelFormat) != FALSE;
}

bool RobotView::createRenderContext() {
  viewRenderContext = wglCreateContext(viewDeviceContext);
  return viewRenderContext != nullptr;
}

bool RobotView::makeRenderContextCurrent() {
  return wglMakeCurrent(viewDeviceContext, viewRenderContext) != FALSE;
}

bool RobotView::makeNoContextCurrent() { return wglMakeCurrent(nullptr, nullptr) != FALSE; }

bool RobotView::deleteRenderContext() {
  const bool deleted = wglDeleteContext(viewRenderContext) != FALSE;
  viewRenderContext = nullptr;
  return deleted;
}

void RobotView::swapBuffers() { SwapBuffers(viewDeviceContext); }

LRESULT CALLBACK RobotView::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* view = static_cast<RobotView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    view->hwnd_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  }
  auto* view = reinterpret_cast<RobotView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (view == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    view->hwnd_ = nullptr;
  }
  return view->handleMessage(message, wParam, lParam);
}

LRESULT RobotView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_CREATE:
      return handleCreate(wParam, lParam);
    case WM_PAINT:
      handlePaint();
      return 0;
    case WM_SIZE: {
      const LRESULT result = DefWindowProcA(hwnd_, message, wParam, lParam);
      resizeScene(LOWORD(lParam), HIWORD(lParam));
      return result;
    }
    case WM_LBUTTONDOWN:
      camera.anchorRotation(x, y);
      break;
    case WM_MOUSEMOVE:
      camera.dragTo(x, y, (wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0);
      break;
    case WM_RBUTTONDOWN:
      camera.anchorZoom(x, y);
      break;
    default:  // WM_LBUTTONUP and the rest: default processing only
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// Creation goes on whatever the GL set-up gives; without a context the GL
// calls act on none.
LRESULT RobotView::handleCreate(WPARAM wParam, LPARAM lParam) {
  if (DefWindowProcA(hwnd_, WM_CREATE, wParam, lParam) == -1) return -1;
  viewDeviceContext = GetDC(hwnd_);
  setUpGl();
  return 0;
}

// The paint cycle only validates the window; OpenGL draws and presents.
void RobotView::handlePaint() {
  PAINTSTRUCT paint;
  BeginPaint(hwnd_, &paint);
  drawFrame();
  EndPaint(hwnd_, &paint);
}

}  // namespace trotix
