#include "view/linux/NoCurrentGlContext.h"

#include <GL/glx.h>

namespace trotix {

bool MakeNoGlContextCurrent() {
  Display* display = glXGetCurrentDisplay();
  if (display == nullptr || glXGetCurrentContext() == nullptr) return true;
  return glXMakeCurrent(display, None, nullptr) == True;
}

}  // namespace trotix
