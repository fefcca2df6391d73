// Whether the display can do OpenGL at all. wx asserts when it is asked to
// build GL attributes on a display without GLX, so the view asks here first.
#ifndef TROTIX_VIEW_LINUX_OPENGLDISPLAY_H_
#define TROTIX_VIEW_LINUX_OPENGLDISPLAY_H_

namespace trotix {

// True when the program's X display offers the GLX extension.
bool DisplayHasOpenGl();

}  // namespace trotix

#endif  // TROTIX_VIEW_LINUX_OPENGLDISPLAY_H_
