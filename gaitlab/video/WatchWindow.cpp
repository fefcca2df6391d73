#include "gaitlab/video/WatchWindow.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "gaitlab/physics/PhysicsCheck.h"
#include "gaitlab/physics/PhysicsRun.h"
#include "gaitlab/run/TickSchedule.h"
#include "gaitlab/video/OffscreenContext.h"
#include "gaitlab/video/RunCaption.h"
#include "gaitlab/video/SceneView.h"
#include "gaitlab/video/TrunkSpeed.h"
#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

constexpr int kSliderStep = 5;  // positions per key press
constexpr char kKeys[] = "arrows: sliders   drag: turn view   wheel: zoom   R: restart   Esc: quit";

std::string glfwFailure;

void RememberGlfwError(int, const char* description) { glfwFailure = description; }

std::string Fixed(double value, const char* unit) {
  char text[48];
  std::snprintf(text, sizeof text, "%.0f %s", value, unit);
  return text;
}

// GLFW itself, for as long as the window is open.
struct GlfwLibrary {
  explicit GlfwLibrary(const std::string& what) {
    glfwSetErrorCallback(RememberGlfwError);
    if (!glfwInit()) throw RendererUnavailable(what + ": no window can be opened: " + glfwFailure);
  }
  ~GlfwLibrary() { glfwTerminate(); }
};

GLFWwindow* OpenWindow(const std::string& what) {
  glfwWindowHint(GLFW_SAMPLES, 4);
  GLFWwindow* window = glfwCreateWindow(1024, 768, "trotix-gait: physics", nullptr, nullptr);
  if (window == nullptr) {
    throw RendererUnavailable(what + ": no window can be opened: " + glfwFailure);
  }
  glfwMakeContextCurrent(window);
  glfwSwapInterval(1);
  return window;
}

class WatchWindow {
 public:
  WatchWindow(const PhysicsParameters& parameters, const GaitSettings& gait, SliderPositions start,
              const std::string& what, const WatchLive& live)
      : window_(OpenWindow(what)),
        what_(what),
        parameters_(parameters),
        gait_(gait),
        sliders_(start),
        live_(live),
        walk_(WalkStepOf(gait)),
        schedule_(TickSchedule::OfMilliseconds(gait.tickPeriodMs)) {
    glfwSetWindowUserPointer(window_, this);
    glfwSetKeyCallback(window_, [](GLFWwindow* w, int key, int, int action, int) {
      if (action != GLFW_RELEASE) Of(w).pressed(key);
    });
    glfwSetCursorPosCallback(window_,
                             [](GLFWwindow* w, double x, double y) { Of(w).dragged(x, y); });
    glfwSetScrollCallback(window_, [](GLFWwindow* w, double, double dy) {
      Of(w).moveCamera(mjMOUSE_ZOOM, 0.0, -0.05 * dy);
    });
    restart();
  }
  ~WatchWindow() { glfwDestroyWindow(window_); }

  // One tick whenever the schedule says one is due, as the dialog's timer
  // does: a slow frame delays the walk rather than bursting to catch up.
  void run() {
    using Clock = TickSchedule::Clock;
    schedule_.start(Clock::now());
    while (!glfwWindowShouldClose(window_)) {
      if (restartAsked_) {
        restart();
        schedule_.start(Clock::now());
      }
      if (Clock::now() >= schedule_.due()) {
        tick();
        schedule_.next(Clock::now());
      }
      draw();
      glfwSwapBuffers(window_);
      const std::chrono::duration<double> wait = schedule_.due() - Clock::now();
      glfwWaitEventsTimeout(std::max(0.0, wait.count()));
    }
  }

 private:
  static WatchWindow& Of(GLFWwindow* window) {
    return *static_cast<WatchWindow*>(glfwGetWindowUserPointer(window));
  }

  // Counted here: a changed gait's walk counts its own ticks from 0.
  double elapsed() const { return static_cast<double>(ticks_) * walk_.tickPeriodMs() / 1000.0; }

  // A new run from a standing start; the view keeps its camera.
  void restart() {
    std::unique_ptr<PhysicsCheck> fresh = MakePhysicsCheck(parameters_, gait_, what_);
    std::optional<mjvCamera> camera;
    if (view_) camera = view_->camera();
    view_.reset();  // it draws the old run's model, which must outlive it
    view_.emplace(fresh->run().model(), 640, 480);
    if (camera) view_->camera() = *camera;
    physics_ = std::move(fresh);
    walk_.restart();
    if (live_.reload) live_.reload->restart();
    ticks_ = 0;
    speed_.clear();
    restartAsked_ = false;
  }

  void tick() {
    if (live_.steer && !live_.steer(sliders_)) glfwSetWindowShouldClose(window_, GLFW_TRUE);
    TickRecord record = walk_.step(sliders_);
    if (live_.reload) live_.reload->tick(walk_, sliders_, record);
    ++ticks_;
    physics_->stage().process(record);
    speed_.add(elapsed(), record.body);
    PhysicsRun& run = physics_->run();
    const mjtNum* trunk = run.data().xpos + 3 * run.model().trunkBody();
    view_->track().add(trunk[0], trunk[1]);
  }

  void draw() {
    mjrRect viewport{0, 0, 0, 0};
    glfwGetFramebufferSize(window_, &viewport.width, &viewport.height);
    RunCaption caption = DescribeMoment(elapsed(), sliders_);
    caption.add("speed", Fixed(speed_.forwardMmS(), "mm/s"));
    caption.add("yaw rate", Fixed(speed_.yawRateDegS(), "deg/s"));
    view_->draw(physics_->run().data(), viewport, caption.labels, caption.values);
    mjr_overlay(mjFONT_NORMAL, mjGRID_BOTTOMLEFT, viewport, kKeys, nullptr, &view_->context());
  }

  void pressed(int key) {
    switch (key) {
      case GLFW_KEY_LEFT:
        sliders_.turn = std::max(kTurnMin, sliders_.turn - kSliderStep);
        break;
      case GLFW_KEY_RIGHT:
        sliders_.turn = std::min(kTurnMax, sliders_.turn + kSliderStep);
        break;
      // As in the dialog, the top of the vertical slider walks forwards.
      case GLFW_KEY_UP:
        sliders_.step = std::max(kStepMin, sliders_.step - kSliderStep);
        break;
      case GLFW_KEY_DOWN:
        sliders_.step = std::min(kStepMax, sliders_.step + kSliderStep);
        break;
      case GLFW_KEY_R:
        restartAsked_ = true;
        break;
      case GLFW_KEY_ESCAPE:
      case GLFW_KEY_Q:
        glfwSetWindowShouldClose(window_, GLFW_TRUE);
        break;
      default:
        break;
    }
  }

  void dragged(double x, double y) {
    const double dx = x - cursorX_, dy = y - cursorY_;
    cursorX_ = x;
    cursorY_ = y;
    int height = 1;
    glfwGetWindowSize(window_, nullptr, &height);
    if (glfwGetMouseButton(window_, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS) {
      moveCamera(mjMOUSE_ROTATE_H, dx / height, dy / height);
    } else if (glfwGetMouseButton(window_, GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS) {
      moveCamera(mjMOUSE_ZOOM, dx / height, dy / height);
    }
  }

  void moveCamera(int action, double dx, double dy) {
    mjv_moveCamera(&physics_->run().model().model(), action, dx, dy, &view_->scene(),
                   &view_->camera());
  }

  GLFWwindow* window_;
  std::string what_;
  PhysicsParameters parameters_;
  GaitSettings gait_;
  SliderPositions sliders_;
  WatchLive live_;
  std::unique_ptr<PhysicsCheck> physics_;
  std::optional<SceneView> view_;  // after physics_, whose model it draws
  WalkStep walk_;
  TickSchedule schedule_;
  std::int64_t ticks_ = 0;
  TrunkSpeed speed_;
  double cursorX_ = 0.0, cursorY_ = 0.0;
  bool restartAsked_ = false;
};

}  // namespace

void WatchPhysics(const PhysicsParameters& parameters, const GaitSettings& gait,
                  SliderPositions start, const std::string& what, const WatchLive& live) {
  GlfwLibrary glfw(what);
  WatchWindow(parameters, gait, start, what, live).run();
}

}  // namespace trotix
