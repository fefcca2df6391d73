#include "view/RobotViewCore.h"

#include "view/GlScene.h"

namespace trotix {
namespace {

void SetUpError(MessageOwner view, const char* text) {
  ShowMessageBox(text, "ERROR", MessageIcon::kExclamation, view);
}
void ShutdownError(MessageOwner view, const char* text) {
  ShowMessageBox(text, "SHUTDOWN ERROR", MessageIcon::kInformation, view);
}

}  // namespace

bool RobotViewCore::createGlContext() {
  if (!choosePixelFormat()) {
    SetUpError(boxOwner(), "ChoosePixelFormat Failed");
    return false;
  }
  if (!setPixelFormat()) {
    SetUpError(boxOwner(), "SetPixelFormat Failed");
    return false;
  }
  if (!createRenderContext()) {
    releaseGlContext();  // nothing to release yet
    SetUpError(boxOwner(), "Can't Create A GL Rendering Context.");
    return false;
  }
  if (!makeRenderContextCurrent()) {
    releaseGlContext();
    SetUpError(boxOwner(), "Can't Activate The GL Rendering Context.");
    return false;
  }
  return true;
}

bool RobotViewCore::initGlState() {
  if (!createTextures()) return false;
  SetFixedGlState();
  return true;
}

bool RobotViewCore::createTextures() { return CreateStarTexture(starTexture, hasRenderContext()); }

void RobotViewCore::resizeScene(int width, int height) { ResizeGlScene(width, height); }

int RobotViewCore::drawRobot() {
  DrawGlScene(camera, engine ? &engine->jointAngles : nullptr);
  return 0;
}

void RobotViewCore::releaseGlContext() {
  if (!hasRenderContext()) return;
  if (!makeNoContextCurrent()) ShutdownError(boxOwner(), "Release Of DC And RC Failed.");
  if (!deleteRenderContext()) ShutdownError(boxOwner(), "Release Rendering Context Failed.");
}

void RobotViewCore::setUpGl() {
  createGlContext();
  resizeScene(10, 10);  // the first size event sets the real size
  initGlState();
}

void RobotViewCore::drawFrame() {
  makeRenderContextCurrent();
  ClearGlFrame();
  drawRobot();
  swapBuffers();
  ++framesDrawn_;
}

}  // namespace trotix
