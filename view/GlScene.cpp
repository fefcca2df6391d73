#include "view/GlScene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

#include "view/BitmapLoader.h"
#include "view/StickFigure.h"

namespace trotix {
namespace {

constexpr char kStarBitmap[] = "Data/Star.bmp";
constexpr double kFieldOfViewDegrees = 45.0;
constexpr float kNearPlane = 0.2f;  // widened to double as 0.20000000298023224
constexpr double kFarPlane = 100000.0;

// Makes `texture` from the image and leaves it bound.
void UploadTexture(const RgbImage& image, GLuint& texture) {
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  // The image rows have no padding; with the default alignment of 4 a width
  // that is not a multiple of 4 would be read skewed and past the buffer.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                    image.data);
}

}  // namespace

bool CreateStarTexture(unsigned int& texture, bool contextCurrent) {
  RgbImage* image = LoadBitmapFile(kStarBitmap);
  if (image == nullptr) return false;
  // GLU's mipmap builder reads the GL version string, which is null while no
  // context is current.
  if (contextCurrent) {
    GLuint name = 0;
    UploadTexture(*image, name);
    texture = name;
  }
  std::free(image->data);
  std::free(image);
  return true;
}

void SetFixedGlState() {
  glShadeModel(GL_SMOOTH);
  glClearColor(1.0f, 1.0f, 1.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void ResizeGlScene(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / height, kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void ClearGlFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
}

void DrawGlScene(const Camera& camera, const JointAngles* jointAngles) {
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, camera.distance);
  glRotatef(camera.angleY, 0.0f, 1.0f, 0.0f);
  glRotatef(camera.angleX, 1.0f, 0.0f, 0.0f);
  for (const Segment& segment : StickFigure(jointAngles)) {
    glColor3f(segment.colour.red, segment.colour.green, segment.colour.blue);
    glBegin(GL_LINES);
    glVertex3fv(segment.from.data());
    glVertex3fv(segment.to.data());
    glEnd();
  }
}

}  // namespace trotix
