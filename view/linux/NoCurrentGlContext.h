// Detaches the calling thread from its current OpenGL context, the step that
// must succeed before a context is deleted. wxGLContext has no call for it.
#ifndef TROTIX_VIEW_LINUX_NOCURRENTGLCONTEXT_H_
#define TROTIX_VIEW_LINUX_NOCURRENTGLCONTEXT_H_

namespace trotix {

// True when no context is current afterwards (also when none was before).
bool MakeNoGlContextCurrent();

}  // namespace trotix

#endif  // TROTIX_VIEW_LINUX_NOCURRENTGLCONTEXT_H_
