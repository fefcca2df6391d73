// The view's OpenGL drawing, the same on every platform: the star texture,
// the fixed state, the projection and the stick figure under the camera.
// Each call works on the rendering context that is current.
#ifndef TROTIX_VIEW_GLSCENE_H_
#define TROTIX_VIEW_GLSCENE_H_

#include "trotix/WalkEngine.h"
#include "view/Camera.h"

namespace trotix {

// Loads "Data/Star.bmp" from the working directory and, when a context is
// current, makes a mipmapped texture of it and leaves it bound. False if
// the picture could not be loaded (the loader has said why).
bool CreateStarTexture(unsigned int& texture, bool contextCurrent);
// White background, depth test, smooth shading and the quality hints.
void SetFixedGlState();
// Viewport and 45-degree perspective projection for a client size in
// pixels; a height of 0 counts as 1.
void ResizeGlScene(int width, int height);
// Clears the frame and resets the model-view matrix.
void ClearGlFrame();
// The stick figure from `jointAngles` (the body alone while null), seen
// through `camera`.
void DrawGlScene(const Camera& camera, const JointAngles* jointAngles);

}  // namespace trotix

#endif  // TROTIX_VIEW_GLSCENE_H_
