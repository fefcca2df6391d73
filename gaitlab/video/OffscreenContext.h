// An OpenGL context with no window: Mesa's EGL on its surfaceless platform
// (software rendering where there is no GPU), falling back to the default
// display. No X server is needed, and a display, if there is one, is not
// touched. MuJoCo renders into its own offscreen buffer inside it.
#ifndef TROTIX_GAITLAB_OFFSCREENCONTEXT_H_
#define TROTIX_GAITLAB_OFFSCREENCONTEXT_H_

#include <stdexcept>
#include <string>

namespace trotix {

// There is no OpenGL to render with; the message says why.
class RendererUnavailable : public std::runtime_error {
 public:
  explicit RendererUnavailable(const std::string& message) : std::runtime_error(message) {}
};

class OffscreenContext {
 public:
  // Creates the context and makes it current on the calling thread; throws
  // RendererUnavailable.
  OffscreenContext();
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  // Makes the context current on the calling thread; false if it is current
  // on another one.
  bool makeCurrent();
  // Lets another thread make it current.
  void release();

 private:
  void* display_ = nullptr;  // EGLDisplay
  void* context_ = nullptr;  // EGLContext
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_OFFSCREENCONTEXT_H_
