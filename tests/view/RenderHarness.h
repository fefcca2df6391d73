// Helpers for drawing the real RobotView on a virtual display and checking
// the picture: a top-level window holding the view, a scoped working folder,
// event pumping, pixel read-back and the camera's projection done by hand.
#ifndef TROTIX_TESTS_VIEW_RENDERHARNESS_H_
#define TROTIX_TESTS_VIEW_RENDERHARNESS_H_

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "view/Camera.h"
#include "view/StickFigure.h"
#include "view/linux/RobotView.h"

namespace trotix {

constexpr int kViewWidth = 500;
constexpr int kViewHeight = 400;

// A fresh temporary folder that is the working directory while this lives.
class ScopedWorkingFolder {
 public:
  ScopedWorkingFolder();
  ~ScopedWorkingFolder();
  ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
  ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

  // Creates Data/ inside and returns the path of Data/Star.bmp.
  std::filesystem::path starBitmapPath() const;

 private:
  std::filesystem::path previous;
  std::filesystem::path folder;
};

// Processes window events until `done` holds or `timeoutMs` passes.
bool PumpEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// A shown top-level frame with a panel, the view at (5, 5) of it, 500x400,
// as the dialog places it. Deleting it deletes the view first. The view is
// made before the frame is shown, as the dialog does, or into the frame
// once it is on screen.
class ViewWindow {
 public:
  enum class Order { kViewBeforeShow, kViewIntoShownFrame };
  explicit ViewWindow(Order order = Order::kViewBeforeShow);
  ~ViewWindow();
  ViewWindow(const ViewWindow&) = delete;
  ViewWindow& operator=(const ViewWindow&) = delete;

  RobotView& view() { return *robotView; }
  // Repaints through the view's own paint handler; false if no frame came.
  bool repaint();

 private:
  wxFrame* frame = nullptr;
  RobotView* robotView = nullptr;
};

struct Rgb8 {
  std::uint8_t red, green, blue;
  bool operator==(const Rgb8& o) const {
    return red == o.red && green == o.green && blue == o.blue;
  }
};

constexpr Rgb8 kWhite{255, 255, 255};
constexpr Rgb8 kBlack{0, 0, 0};

Rgb8 ToRgb8(const Colour& colour);

// The frame the view's paint handler drew last, rows bottom-up as OpenGL
// reads them.
class Picture {
 public:
  static Picture ReadLastFrame(RobotView& view);

  Rgb8 at(int x, int y) const;  // y counts up from the bottom row
  int count(const Rgb8& colour) const;
  // Whether `colour` lies within `radius` pixels of (x, y).
  bool hasNear(const Rgb8& colour, double x, double y, int radius) const;
  // Saves a PNG, top row first, under the artifacts folder; returns its path.
  std::string save(const std::string& name) const;

  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Window coordinates (x right, y up from the bottom row) of a model point,
// computed without OpenGL from the camera and the view's 45-degree
// perspective.
std::array<double, 2> ProjectToWindow(const Camera& camera, const Vertex& point,
                                      int width = kViewWidth, int height = kViewHeight);

}  // namespace trotix

#endif  // TROTIX_TESTS_VIEW_RENDERHARNESS_H_
