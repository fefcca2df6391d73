// The real program on a private X display, driven as a user would drive it
// (xdotool clicks, keys and drags; the close request a window manager sends)
// and judged from what is on the screen and from its exit status. The same
// tests run the Windows program under Wine, whose windows are X windows too.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/WalkDialogLayout.h"
#include "testing/x11/ProgramRun.h"
#include "testing/x11/ScreenMeasures.h"
#include "testing/x11/TestBitmap.h"
#include "testing/x11/XSession.h"

namespace trotix::testing {
namespace {

namespace fs = std::filesystem;

#ifdef TROTIX_SANITIZED
constexpr double kSlowdown = 4.0;  // sanitizers start and draw much slower
#else
constexpr double kSlowdown = 1.0;
#endif
#ifdef TROTIX_WINE_RUN
// Wine hides a closing window and waits up to 2 s for the window manager to
// withdraw it; Xvfb runs none. A program's end then takes Wine another second.
constexpr double kExtraSecondsToClose = 3.0;
#else
constexpr double kExtraSecondsToClose = 0.0;
#endif

// A template rectangle in client pixels, for dialog base units measured as
// Windows measures them (a quarter of the font's average width, an eighth
// of its height per unit), rounding halves up.
struct PixelRect {
  int x, y, width, height;
  ScreenPoint centre() const { return {x + width / 2, y + height / 2}; }
};
PixelRect ToPixels(const TemplateRect& rect, ScreenPoint baseUnits) {
  const auto across = [&](int units) { return (2 * units * baseUnits.x + 4) / 8; };
  const auto down = [&](int units) { return (2 * units * baseUnits.y + 8) / 16; };
  return {across(rect.x), down(rect.y), across(rect.width), down(rect.height)};
}

// Starting the program: itself, or under Wine the launcher with the prefix.
std::unique_ptr<ProgramRun> StartProgram(const std::string& workDirectory,
                                         std::vector<std::string> arguments) {
#ifdef TROTIX_WINE_RUN
  arguments.insert(arguments.begin(), {TROTIX_WINE_PREFIX, TROTIX_PROGRAM});
  return std::make_unique<ProgramRun>(TROTIX_WINE_RUN, workDirectory, arguments);
#else
  return std::make_unique<ProgramRun>(TROTIX_PROGRAM, workDirectory, arguments);
#endif
}

void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

bool WaitUntil(double seconds, const std::function<bool()>& condition) {
  const double deadline = MonotonicSeconds() + seconds;
  do {
    if (condition()) return true;
    Pause(0.01);
  } while (MonotonicSeconds() < deadline);
  return condition();
}

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(session.display(), nullptr) << "no X display";
    char pattern[] = "/tmp/trotix-e2e.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    workDirectory = pattern;
  }

  void TearDown() override {
    if (HasFailure()) {
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      const std::string path = std::string(TROTIX_TEST_OUTPUT_DIR) + "/" + info->name() + ".png";
      SaveScreenshot(path);
      std::printf("screen at failure: %s\n", path.c_str());
    }
#ifdef TROTIX_WINE_RUN
    // A Wine program that is killed leaves the next one in the same prefix
    // slow to show its picture; end it as a user would.
    if (program && dialog != 0 && program->running()) {
      session.sendCloseRequest(dialog);
      program->waitForExit(2.0 + kExtraSecondsToClose);
    }
#endif
    program.reset();
    std::error_code ignored;
    fs::remove_all(workDirectory, ignored);
  }

  void placeStarBitmap(const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(workDirectory + "/Data");
    std::ofstream(workDirectory + "/Data/Star.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }

  // Starts the program and waits for its dialog.
  void start(const std::vector<std::string>& arguments = {}) {
    launch(arguments);
    waitForDialog();
  }
  void launch(const std::vector<std::string>& arguments = {}) {
    startedAt = MonotonicSeconds();
    program = StartProgram(workDirectory, arguments);
  }
  void waitForDialog() {
    ASSERT_TRUE(WaitUntil(10 * kSlowdown, [&] { return (dialog = findWindow("Trotix")) != 0; }))
        << "the dialog did not appear";
    client = session.origin(dialog);
    // The dialog's client area is the template's size in base units.
    const ScreenPoint size = session.size(dialog);
    baseUnits = {(size.x * 4 + kDialogRect.width / 2) / kDialogRect.width,
                 (size.y * 8 + kDialogRect.height / 2) / kDialogRect.height};
  }
  PixelRect pixels(const TemplateRect& rect) const { return ToPixels(rect, baseUnits); }

  WindowId findWindow(const std::string& title) {
    return session.findWindow(title, program->pid());
  }

  // Wine 8 on Xvfb draws a child window's GL picture into an X window of its
  // own that it keeps off the screen, and never copies it onto the dialog;
  // the picture is read from that window there.
  ScreenImage grabView() {
#ifdef TROTIX_WINE_RUN
    return session.grabWindow(session.findWindowOfSize(kViewWidth, kViewHeight), kViewWidth,
                              kViewHeight);
#else
    return session.grab(client.x + kViewLeft, client.y + kViewTop, kViewWidth, kViewHeight);
#endif
  }

  // A frame that shows a figure on a uniform background of `background`.
  bool robotShownOn(std::uint32_t background) {
    const ScreenImage frame = grabView();
    return UniformCornerColour(frame) == background && FindFigure(frame, background).pixels > 200;
  }

  void click(ScreenPoint point) {
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(client.x + point.x) + " " +
                        std::to_string(client.y + point.y) + " click 1"));
  }

  void drag(int button, ScreenPoint from, ScreenPoint to) {
    const auto at = [&](ScreenPoint p) {
      return std::to_string(client.x + p.x) + " " + std::to_string(client.y + p.y);
    };
    std::string steps;
    for (int i = 1; i <= 8; ++i) {
      const ScreenPoint p{from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8};
      steps += " mousemove " + at(p) + " sleep 0.03";
    }
    const std::string b = std::to_string(button);
    ASSERT_TRUE(Xdotool("mousemove " + at(from) + " mousedown " + b + steps + " mouseup " + b));
  }

  // Pixels that are figure in at least one of `frames` frames 70 ms apart:
  // the area the moving legs sweep.
  std::vector<bool> sweptMask(int frames, std::uint32_t background) {
    std::vector<bool> swept(static_cast<size_t>(kViewWidth) * kViewHeight, false);
    for (int i = 0; i < frames; ++i) {
      const ScreenImage frame = grabView();
      for (size_t p = 0; p < frame.pixels.size(); ++p) {
        if (frame.pixels[p] != background) swept[p] = true;
      }
      Pause(0.07);
    }
    return swept;
  }

  int sweptArea(int frames, std::uint32_t background) {
    int area = 0;
    for (bool s : sweptMask(frames, background)) area += s ? 1 : 0;
    return area;
  }

  // Share of the figure's pixels in the current frame that lie in `mask`.
  double shareInside(const std::vector<bool>& mask, std::uint32_t background) {
    const ScreenImage frame = grabView();
    int figure = 0;
    int inside = 0;
    for (size_t p = 0; p < frame.pixels.size(); ++p) {
      if (frame.pixels[p] == background) continue;
      ++figure;
      inside += mask[p] ? 1 : 0;
    }
    return figure == 0 ? 0.0 : static_cast<double>(inside) / figure;
  }

  // Row of the vertical slider's thumb: the middle of the rows where the
  // slider is widest, inside the focus frame some toolkits draw at its edge.
  int verticalThumbRow() {
    constexpr int kFocusFrame = 2;
    const PixelRect rect = pixels(kVerticalSliderRect);
    const ScreenImage slider =
        session.grab(client.x + rect.x + kFocusFrame, client.y + rect.y + kFocusFrame,
                     rect.width - 2 * kFocusFrame, rect.height - 2 * kFocusFrame);
    const std::uint32_t background = slider.at(0, 0);
    int widest = 0;
    int first = -1;
    int last = -1;
    for (int y = 0; y < slider.height; ++y) {
      int width = 0;
      for (int x = 0; x < slider.width; ++x) width += slider.at(x, y) != background ? 1 : 0;
      if (width > widest) {
        widest = width;
        first = last = y;
      } else if (width == widest) {
        last = y;
      }
    }
    return kFocusFrame + (first + last) / 2;
  }

  void expectExitWithZeroWithin(double seconds) {
    const auto status = program->waitForExit(seconds * kSlowdown + kExtraSecondsToClose);
    ASSERT_TRUE(status.has_value()) << "still running after " << seconds << " s";
    EXPECT_EQ(*status, 0);
  }

  XSession session;
  std::string workDirectory;
  std::unique_ptr<ProgramRun> program;
  WindowId dialog = 0;
  ScreenPoint client;
  ScreenPoint baseUnits;
  double startedAt = 0.0;
};

TEST_F(EndToEndTest, RobotAppearsOnWhiteWithinASecond) {
  placeStarBitmap(ValidStarBitmap());
  // The first start on a fresh machine may read the GL and GTK libraries
  // from a cold disk cache; the second start is the one users see daily.
  double firstFrame = 0.0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt > 0) {
      session.sendCloseRequest(dialog);
      expectExitWithZeroWithin(2.0);
    }
    start();
    ASSERT_TRUE(WaitUntil(5 * kSlowdown, [&] { return robotShownOn(kWhite); }));
    firstFrame = MonotonicSeconds() - startedAt;
    if (firstFrame < 1.0 * kSlowdown) break;
  }
  EXPECT_LT(firstFrame, 1.0 * kSlowdown) << "first frame after " << firstFrame << " s";
  const FigureBox figure = FindFigure(grabView(), kWhite);
  // The figure stands in the view, away from its edges.
  EXPECT_GT(figure.left, 20);
  EXPECT_LT(figure.right, kViewWidth - 20);
  EXPECT_GT(figure.width(), 100);
}

TEST_F(EndToEndTest, VerticalSliderHasItsMinimumAtTheTopAndLengthensTheStride) {
  placeStarBitmap(ValidStarBitmap());
  start();
  ASSERT_TRUE(WaitUntil(5 * kSlowdown, [&] { return robotShownOn(kWhite); }));
  Pause(0.5);  // the first ticks carry the legs from their start pose into the walk
  const int shortStride = sweptArea(15, kWhite);

  // A click on the thumb gives the slider the keyboard focus and moves nothing.
  ASSERT_TRUE(Xdotool("windowfocus --sync " + std::to_string(dialog)));
  const PixelRect slider = pixels(kVerticalSliderRect);
  click({slider.x + slider.width / 2, slider.y + verticalThumbRow()});
  ASSERT_TRUE(Xdotool("key Home"));  // the slider's minimum
  ASSERT_TRUE(WaitUntil(2, [&] { return verticalThumbRow() < slider.height / 4; }))
      << "the thumb did not go to the top; thumb row " << verticalThumbRow();
  const int longStride = sweptArea(15, kWhite);
  EXPECT_GT(longStride, shortStride * 1.3)
      << shortStride << " px swept before, " << longStride << " px after";

  ASSERT_TRUE(Xdotool("key End"));
  EXPECT_TRUE(WaitUntil(2, [&] { return verticalThumbRow() > slider.height * 3 / 4; }));
}

TEST_F(EndToEndTest, LeftDragTurnsAndRightDragZooms) {
  placeStarBitmap(ValidStarBitmap());
  start();
  ASSERT_TRUE(WaitUntil(5 * kSlowdown, [&] { return robotShownOn(kWhite); }));
  // Where the walking figure goes while nobody touches the mouse.
  const std::vector<bool> untouched = sweptMask(12, kWhite);
  ASSERT_GT(shareInside(untouched, kWhite), 0.9);

  // 180 px to the right turns the scene 90 degrees about the vertical.
  drag(1, {150, 300}, {330, 300});
  ASSERT_TRUE(WaitUntil(2, [&] { return shareInside(untouched, kWhite) < 0.5; }))
      << "the figure did not turn";
  Pause(0.2);
  const FigureBox turned = FindFigure(grabView(), kWhite);

  // Dragging up with the right button moves the scene away: it shrinks.
  drag(3, {250, 300}, {250, 200});
  ASSERT_TRUE(
      WaitUntil(2, [&] { return FindFigure(grabView(), kWhite).width() < turned.width() * 0.8; }))
      << "figure " << turned.width() << " px wide before the zoom";
}

// Every way of ending the dialog ends the program with status 0, and it
// leaves no files behind. The keyboard focus starts on OK (the view is no
// tab stop), so Space presses it.
enum class Ending { kOkButton, kCancelButton, kSpaceAtStart, kEscape, kCloseRequest };

class EndingTest : public EndToEndTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTest, EndsWithStatusZeroAndWritesNoFiles) {
  placeStarBitmap(ValidStarBitmap());
  start();
  ASSERT_TRUE(WaitUntil(5 * kSlowdown, [&] { return robotShownOn(kWhite); }));
  const std::string focus = "windowfocus --sync " + std::to_string(dialog);
  switch (GetParam()) {
    case Ending::kOkButton:
      click(pixels(kOkRect).centre());
      break;
    case Ending::kCancelButton:
      click(pixels(kCancelRect).centre());
      break;
    case Ending::kSpaceAtStart:
      ASSERT_TRUE(Xdotool(focus + " key space"));
      break;
    case Ending::kEscape:
      ASSERT_TRUE(Xdotool(focus + " key Escape"));
      break;
    case Ending::kCloseRequest:
      session.sendCloseRequest(dialog);
      break;
  }
  expectExitWithZeroWithin(2.0);
  int entries = 0;
  for (const auto& entry : fs::recursive_directory_iterator(workDirectory)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2);  // Data/ and Data/Star.bmp
}

INSTANTIATE_TEST_SUITE_P(EveryWay, EndingTest,
                         ::testing::Values(Ending::kOkButton, Ending::kCancelButton,
                                           Ending::kSpaceAtStart, Ending::kEscape,
                                           Ending::kCloseRequest));

// Each button's frame fills its template rectangle, and nothing of a
// control is drawn outside its own rectangle.
TEST_F(EndToEndTest, ControlsSitWhereTheTemplatePutsThem) {
  placeStarBitmap(ValidStarBitmap());
  start();
  ASSERT_TRUE(WaitUntil(5 * kSlowdown, [&] { return robotShownOn(kWhite); }));
  Pause(0.2);  // the controls paint after the dialog is mapped
  const std::uint32_t face =
      session.grab(client.x + 2, client.y + kViewTop + kViewHeight + 10, 1, 1).at(0, 0);
  for (const TemplateRect& control :
       {kOkRect, kCancelRect, kHorizontalSliderRect, kVerticalSliderRect}) {
    const PixelRect rect = pixels(control);
    SCOPED_TRACE("at " + std::to_string(rect.x) + ", " + std::to_string(rect.y));
    constexpr int kMargin = 2;  // less than the gap between OK and Cancel
    const FigureBox drawn =
        FindFigure(session.grab(client.x + rect.x - kMargin, client.y + rect.y - kMargin,
                                rect.width + 2 * kMargin, rect.height + 2 * kMargin),
                   face);
    ASSERT_FALSE(drawn.empty());
    EXPECT_GE(drawn.left, kMargin - 1);
    EXPECT_GE(drawn.top, kMargin - 1);
    EXPECT_LE(drawn.right, kMargin + rect.width);
    EXPECT_LE(drawn.bottom, kMargin + rect.height);
    if (control.height == kOkRect.height) {  // a button
      EXPECT_LE(drawn.left, kMargin + 1);
      EXPECT_GE(drawn.right, kMargin + rect.width - 2);
    }
  }
}

TEST_F(EndToEndTest, CommandLineHasNoEffect) {
  placeStarBitmap(ValidStarBitmap());
  start({"--help", "--display=:9999", "-v", "Data/Star.bmp"});
  ASSERT_TRUE(WaitUntil(5 * kSlowdown, [&] { return robotShownOn(kWhite); }));
  click(pixels(kCancelRect).centre());
  expectExitWithZeroWithin(2.0);
}

TEST_F(EndToEndTest, WithoutTheBitmapTheBackgroundIsBlackAndNoBoxAppears) {
  start();
  ASSERT_TRUE(WaitUntil(5 * kSlowdown, [&] { return robotShownOn(kBlack); }));
  Pause(0.5);
  EXPECT_EQ(findWindow("Error"), 0u);
  EXPECT_EQ(findWindow("ERROR"), 0u);
  EXPECT_TRUE(robotShownOn(kBlack));
  session.sendCloseRequest(dialog);
  expectExitWithZeroWithin(2.0);
}

TEST_F(EndToEndTest, EmptyBitmapShowsAnErrorBoxAndTheProgramRunsOn) {
  placeStarBitmap({});
  launch();  // the box comes while the dialog sets up, before it is shown
  WindowId box = 0;
  ASSERT_TRUE(WaitUntil(10 * kSlowdown, [&] { return (box = findWindow("Error")) != 0; }))
      << "no box captioned \"Error\"";
  // Return must reach the box, not the dialog behind it (whose default
  // button is OK): give the box the focus until it keeps it, then press.
  ASSERT_TRUE(WaitUntil(2 * kSlowdown, [&] {
    Xdotool("windowfocus --sync " + std::to_string(box) + " sleep 0.05");
    return session.focusedWindow() == box;
  })) << "the box did not take the keyboard focus";
  ASSERT_TRUE(Xdotool("key Return"));
  ASSERT_TRUE(
      WaitUntil(2 * kSlowdown + kExtraSecondsToClose, [&] { return findWindow("Error") == 0; }));
  waitForDialog();
  // Without the texture the background stays black, and the robot walks on.
  ASSERT_TRUE(WaitUntil(3 * kSlowdown, [&] { return robotShownOn(kBlack); }));
  const ScreenImage before = grabView();
  EXPECT_TRUE(WaitUntil(2, [&] { return ChangedPixels(before, grabView()) > 20; }));
  session.sendCloseRequest(dialog);
  expectExitWithZeroWithin(2.0);
}

// Runs as trotix_app_e2e_no_opengl_test, on a display without GLX: the
// view's box (with its icon), then the loader's (without), each dismissed
// by a close request; then the dialog runs on and ends with status 0.
TEST_F(EndToEndTest, WithoutOpenGlBothBoxesComeAndTheProgramRunsOn) {
  if (session.hasExtension("GLX")) GTEST_SKIP() << "this display offers OpenGL";
  placeStarBitmap({});
  launch();
  for (const std::string caption : {"ERROR", "Error"}) {
    WindowId box = 0;
    ASSERT_TRUE(WaitUntil(10 * kSlowdown, [&] { return (box = findWindow(caption)) != 0; }));
    const ScreenPoint at = session.origin(box);  // the icon sits at the top left
    const bool icon = WaitUntil(
        1 * kSlowdown, [&] { return ColouredPixels(session.grab(at.x, at.y, 80, 80)) > 200; });
    EXPECT_EQ(icon, caption == "ERROR") << caption;
    session.sendCloseRequest(box);
    ASSERT_TRUE(
        WaitUntil(2 * kSlowdown + kExtraSecondsToClose, [&] { return findWindow(caption) == 0; }));
  }
  waitForDialog();
  ASSERT_TRUE(program->running());
  ASSERT_TRUE(Xdotool("windowfocus --sync " + std::to_string(dialog) + " key space"));
  expectExitWithZeroWithin(2.0);
}

}  // namespace
}  // namespace trotix::testing
