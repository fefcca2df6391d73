#include "view/linux/OpenGlDisplay.h"

#include <GL/glx.h>
#include <wx/utils.h>

namespace trotix {

bool DisplayHasOpenGl() {
  Display* display = wxGetX11Display();
  int errorBase = 0;
  int eventBase = 0;
  return display != nullptr && glXQueryExtension(display, &errorBase, &eventBase) == True;
}

}  // namespace trotix
