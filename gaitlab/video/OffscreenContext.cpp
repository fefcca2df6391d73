#include "gaitlab/video/OffscreenContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace trotix {
namespace {

EGLDisplay OpenDisplay() {
  // Surfaceless needs neither a GPU nor a display server; Mesa has it.
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay != nullptr) {
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) return display;
  }
  EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
  if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) return display;
  throw RendererUnavailable(
      "no EGL display could be opened (install Mesa's libegl1 and libgl1-mesa-dri)");
}

}  // namespace

OffscreenContext::OffscreenContext() {
  EGLDisplay display = OpenDisplay();
  display_ = display;
  // No surface is made, but a configuration for windows is what EGL looks
  // for unless told otherwise.
  const EGLint attributes[] = {EGL_SURFACE_TYPE,
                               EGL_PBUFFER_BIT,
                               EGL_RENDERABLE_TYPE,
                               EGL_OPENGL_BIT,
                               EGL_RED_SIZE,
                               8,
                               EGL_GREEN_SIZE,
                               8,
                               EGL_BLUE_SIZE,
                               8,
                               EGL_DEPTH_SIZE,
                               24,
                               EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  if (!eglChooseConfig(display, attributes, &config, 1, &count) || count < 1 ||
      !eglBindAPI(EGL_OPENGL_API)) {
    eglTerminate(display);
    throw RendererUnavailable("EGL offers no desktop OpenGL configuration");
  }
  // MuJoCo draws with the compatibility profile, which is the default.
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) {
    eglTerminate(display);
    throw RendererUnavailable("EGL could not create an OpenGL context");
  }
  context_ = context;
  if (!makeCurrent()) {
    eglDestroyContext(display, context);
    eglTerminate(display);
    throw RendererUnavailable("EGL could not make an OpenGL context current without a surface");
  }
}

// The display stays initialised: terminating it unloads Mesa's driver,
// and what the driver keeps for the program's life would then show up in
// leak checkers as leaks from nowhere, past any suppression by library.
OffscreenContext::~OffscreenContext() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, context_);
}

bool OffscreenContext::makeCurrent() {
  return eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) == EGL_TRUE;
}

void OffscreenContext::release() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

}  // namespace trotix
