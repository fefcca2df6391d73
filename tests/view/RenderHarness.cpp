#include "tests/view/RenderHarness.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

#include <GL/gl.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/utils.h>

namespace trotix {

ScopedWorkingFolder::ScopedWorkingFolder() : previous(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "trotix-view-XXXXXX").string();
  folder = mkdtemp(pattern.data());
  std::filesystem::current_path(folder);
}

ScopedWorkingFolder::~ScopedWorkingFolder() {
  std::filesystem::current_path(previous);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

std::filesystem::path ScopedWorkingFolder::starBitmapPath() const {
  std::filesystem::create_directories(folder / "Data");
  return folder / "Data" / "Star.bmp";
}

bool PumpEventsUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    wxTheApp->Yield(true);
    wxMilliSleep(2);
  }
  return true;
}

ViewWindow::ViewWindow(Order order) {
  frame = new wxFrame(nullptr, wxID_ANY, "RobotView", wxPoint(0, 0), wxSize(520, 420));
  auto* panel = new wxPanel(frame);
  const wxRect rect(5, 5, kViewWidth, kViewHeight);
  if (order == Order::kViewBeforeShow) robotView = new RobotView(panel, rect);
  frame->Show();
  if (order == Order::kViewIntoShownFrame) {
    PumpEventsUntil([this] { return frame->IsShownOnScreen(); });
    robotView = new RobotView(panel, rect);
  }
  PumpEventsUntil([this] { return robotView->framesDrawnForTesting() > 0; });
}

ViewWindow::~ViewWindow() {
  delete robotView;  // as the dialog does: the view goes before its parent
  frame->Destroy();
  wxTheApp->Yield(true);
}

bool ViewWindow::repaint() {
  const std::uint64_t before = robotView->framesDrawnForTesting();
  robotView->Refresh(true);
  robotView->Update();
  return PumpEventsUntil([&] { return robotView->framesDrawnForTesting() > before; });
}

Rgb8 ToRgb8(const Colour& colour) {
  const auto byte = [](float c) { return static_cast<std::uint8_t>(std::lround(c * 255.0f)); };
  return {byte(colour.red), byte(colour.green), byte(colour.blue)};
}

Picture Picture::ReadLastFrame(RobotView& view) {
  Picture picture;
  picture.width = kViewWidth;
  picture.height = kViewHeight;
  picture.rgb.assign(static_cast<size_t>(picture.width * picture.height * 3), 0);
  if (viewRenderContext == nullptr) return picture;
  viewRenderContext->SetCurrent(view);
  glFinish();
  // The window's front buffer reads back black on Xvfb; Mesa's software
  // renderer keeps the swapped frame in the back buffer, so read that.
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
  return picture;
}

Rgb8 Picture::at(int x, int y) const {
  const size_t i = static_cast<size_t>((y * width + x) * 3);
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

int Picture::count(const Rgb8& colour) const {
  int n = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) n += at(x, y) == colour;
  return n;
}

bool Picture::hasNear(const Rgb8& colour, double x, double y, int radius) const {
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  for (int py = cy - radius; py <= cy + radius; ++py) {
    for (int px = cx - radius; px <= cx + radius; ++px) {
      if (px < 0 || py < 0 || px >= width || py >= height) continue;
      if (at(px, py) == colour) return true;
    }
  }
  return false;
}

std::string Picture::save(const std::string& name) const {
  wxImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb8 c = at(x, height - 1 - y);
      image.SetRGB(x, y, c.red, c.green, c.blue);
    }
  }
  std::filesystem::create_directories(TROTIX_ARTIFACT_DIR);
  const std::string path = std::string(TROTIX_ARTIFACT_DIR) + "/" + name + ".png";
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  image.SaveFile(path, wxBITMAP_TYPE_PNG);
  return path;
}

std::array<double, 2> ProjectToWindow(const Camera& camera, const Vertex& point, int width,
                                      int height) {
  const double ax = camera.angleX * kTruePi / 180.0, ay = camera.angleY * kTruePi / 180.0;
  // Rx first on the model, then Ry, then the translation along z.
  const double x1 = point[0];
  const double y1 = std::cos(ax) * point[1] - std::sin(ax) * point[2];
  const double z1 = std::sin(ax) * point[1] + std::cos(ax) * point[2];
  const double x2 = std::cos(ay) * x1 + std::sin(ay) * z1;
  const double y2 = y1;
  const double z2 = -std::sin(ay) * x1 + std::cos(ay) * z1 + camera.distance;
  const double f = 1.0 / std::tan(45.0 * kTruePi / 360.0);
  const double aspect = static_cast<double>(width) / height;
  const double ndcX = f / aspect * x2 / -z2, ndcY = f * y2 / -z2;
  return {(ndcX + 1.0) * 0.5 * width, (ndcY + 1.0) * 0.5 * height};
}

}  // namespace trotix
