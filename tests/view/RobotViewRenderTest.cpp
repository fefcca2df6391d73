// The real RobotView drawn on a virtual display, its pixels read back and
// compared with where the stick figure's segments must fall.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include <fstream>
#include <memory>
#include <utility>
#include <vector>

#include "testing/bitmap/BmpWriter.h"
#include "tests/view/RenderHarness.h"
#include "view/MessageBox.h"
#include "view/linux/OpenGlDisplay.h"

namespace trotix {
namespace {

// A pose with bent knees, so every leg shows both of its segments.
JointAngles BentPose() {
  JointAngles angles{};
  for (int leg = 0; leg < kLegCount; ++leg) {
    angles[3 * leg] = 0.35;       // pitch
    angles[3 * leg + 1] = 0.1;    // roll
    angles[3 * leg + 2] = -0.75;  // knee
  }
  return angles;
}

// Turns the camera so that the body and all four legs stand apart on screen.
void LookObliquely(RobotView& view) {
  view.camera.angleY = 55.0f;
  view.camera.angleX = 20.0f;
}

class RobotViewRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMessageBoxSinkForTesting([this](const std::string& text, const std::string& caption,
                                       MessageIcon icon, wxWindow* owner) {
      messages.push_back(caption + ": " + text);
      boxKinds.emplace_back(icon, owner);
    });
  }
  void TearDown() override {
    window.reset();
    SetMessageBoxSinkForTesting(nullptr);
    EXPECT_TRUE(messages.empty()) << messages.front();
  }

  void placeStarBitmap() {
    std::filesystem::copy_file(TROTIX_STAR_BITMAP, folder.starBitmapPath());
  }
  RobotView& openView(ViewWindow::Order order = ViewWindow::Order::kViewBeforeShow) {
    window = std::make_unique<ViewWindow>(order);
    EXPECT_NE(viewRenderContext, nullptr) << "no GL context was made";
    EXPECT_GT(window->view().framesDrawnForTesting(), 0u) << "the view was never painted";
    return window->view();
  }

  // Every segment that is longer than a few pixels on screen shows its own
  // colour near at least one of three points along it.
  void expectSegmentsWhereProjected(const Picture& picture, const RobotView& view,
                                    const JointAngles* angles) {
    for (const Segment& segment : StickFigure(angles)) {
      const auto from = ProjectToWindow(view.camera, segment.from);
      const auto to = ProjectToWindow(view.camera, segment.to);
      if (std::hypot(to[0] - from[0], to[1] - from[1]) < 4.0) continue;
      bool seen = false;
      for (double t : {0.2, 0.5, 0.8}) {
        seen = seen || picture.hasNear(ToRgb8(segment.colour), from[0] + t * (to[0] - from[0]),
                                       from[1] + t * (to[1] - from[1]), 2);
      }
      EXPECT_TRUE(seen) << "segment from (" << segment.from[0] << ", " << segment.from[1] << ", "
                        << segment.from[2] << ") is missing";
    }
  }

  // Shows the bent pose through the oblique camera and reads the frame back.
  Picture drawBentFigureObliquely(RobotView& view, WalkEngine& engine, const std::string& name) {
    engine.jointAngles = BentPose();
    view.engine = &engine;
    LookObliquely(view);
    EXPECT_TRUE(window->repaint()) << "no frame was drawn";
    Picture picture = Picture::ReadLastFrame(view);
    picture.save(name);
    return picture;
  }

  void expectCorners(const Picture& picture, const Rgb8& colour) {
    EXPECT_EQ(picture.at(0, 0), colour);
    EXPECT_EQ(picture.at(kViewWidth - 1, 0), colour);
    EXPECT_EQ(picture.at(0, kViewHeight - 1), colour);
    EXPECT_EQ(picture.at(kViewWidth - 1, kViewHeight - 1), colour);
  }

  ScopedWorkingFolder folder;
  std::vector<std::string> messages;
  std::vector<std::pair<MessageIcon, wxWindow*>> boxKinds;  // each box's icon and owner
  std::unique_ptr<ViewWindow> window;
};

TEST_F(RobotViewRenderTest, WithBitmapDrawsFigureOnWhiteWhereProjected) {
  placeStarBitmap();
  RobotView& view = openView();
  WalkEngine engine;
  const Picture picture = drawBentFigureObliquely(view, engine, "figure_oblique");

  expectCorners(picture, kWhite);
  EXPECT_GT(picture.count(kWhite), kViewWidth * kViewHeight * 9 / 10);
  for (const Colour& c : {kBodyColour, kUpperLegColour, kLowerLegColour})
    EXPECT_GT(picture.count(ToRgb8(c)), 20);
  expectSegmentsWhereProjected(picture, view, &engine.jointAngles);
}

TEST_F(RobotViewRenderTest, DefaultCameraLooksFromBehindWithLegZeroOnTheRight) {
  placeStarBitmap();
  RobotView& view = openView();
  WalkEngine engine;
  engine.jointAngles = JointAngles{};
  view.engine = &engine;
  ASSERT_TRUE(window->repaint());
  const Picture picture = Picture::ReadLastFrame(view);
  picture.save("figure_default_camera");

  const auto leg0Knee = ProjectToWindow(view.camera, {5, -2, 5});
  const auto leg1Knee = ProjectToWindow(view.camera, {5, -2, -5});
  EXPECT_GT(leg0Knee[0], kViewWidth / 2);
  EXPECT_LT(leg1Knee[0], kViewWidth / 2);
  expectSegmentsWhereProjected(picture, view, &engine.jointAngles);
}

// GTK realises a window made inside one already on screen while it is
// being constructed, before its creation handler could run.
TEST_F(RobotViewRenderTest, ViewMadeInsideAShownWindowSetsUpAndDraws) {
  placeStarBitmap();
  RobotView& view = openView(ViewWindow::Order::kViewIntoShownFrame);
  WalkEngine engine;
  view.engine = &engine;
  ASSERT_TRUE(window->repaint());
  const Picture picture = Picture::ReadLastFrame(view);
  expectCorners(picture, kWhite);
  expectSegmentsWhereProjected(picture, view, &engine.jointAngles);
}

TEST_F(RobotViewRenderTest, WithoutBitmapBackgroundIsBlack) {
  RobotView& view = openView();  // the folder has no Data/Star.bmp
  WalkEngine engine;
  const Picture picture = drawBentFigureObliquely(view, engine, "figure_without_bitmap");

  expectCorners(picture, kBlack);
  EXPECT_EQ(picture.count(kWhite), 0);
  EXPECT_GT(picture.count(ToRgb8(kBodyColour)), 20);
  EXPECT_GT(picture.count(ToRgb8(kUpperLegColour)), 20);
}

TEST_F(RobotViewRenderTest, WithoutEngineOnlyTheBodyIsDrawn) {
  placeStarBitmap();
  RobotView& view = openView();
  LookObliquely(view);
  ASSERT_TRUE(window->repaint());
  const Picture picture = Picture::ReadLastFrame(view);
  picture.save("body_only");

  EXPECT_GT(picture.count(ToRgb8(kBodyColour)), 20);
  EXPECT_EQ(picture.count(ToRgb8(kUpperLegColour)), 0);
  EXPECT_EQ(picture.count(ToRgb8(kLowerLegColour)), 0);
  EXPECT_EQ(picture.count(kWhite) + picture.count(ToRgb8(kBodyColour)), kViewWidth * kViewHeight);
  expectSegmentsWhereProjected(picture, view, nullptr);
}

// 37 pixels make rows of 111 bytes: read with four-byte alignment, each row
// would start one byte later than the last and run past the image.
TEST_F(RobotViewRenderTest, BitmapWithOddWidthUploadsEveryRowIntact) {
  constexpr int kWidth = 37, kHeight = 23;
  ASSERT_TRUE(WriteBmp24(folder.starBitmapPath().string(), kWidth, kHeight, [](int x, int) {
    return Rgb{static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(255 - x * 6), 90};
  }));
  RobotView& view = openView();
  const Picture picture = Picture::ReadLastFrame(view);
  picture.save("odd_width_bitmap");
  expectCorners(picture, kWhite);  // the texture was made, so the white state is set

  viewRenderContext->SetCurrent(view);
  GLint textureWidth = 0, textureHeight = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &textureWidth);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &textureHeight);
  ASSERT_GT(textureWidth, 0);
  ASSERT_GT(textureHeight, 1);
  std::vector<std::uint8_t> texels(static_cast<size_t>(textureWidth * textureHeight * 3));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  // The stripes are vertical, so every row of the texture must be the same.
  const size_t rowBytes = static_cast<size_t>(textureWidth * 3);
  for (int row = 1; row < textureHeight; ++row) {
    ASSERT_TRUE(
        std::equal(texels.begin(), texels.begin() + rowBytes, texels.begin() + row * rowBytes))
        << "texture row " << row << " is skewed";
  }
  EXPECT_LT(texels[0], texels[rowBytes - 3]) << "red should rise from left to right";
}

TEST_F(RobotViewRenderTest, MouseDragsTurnAndZoomTheCamera) {
  RobotView& view = openView();
  const auto send = [&](wxEventType type, int x, int y, bool left, bool right) {
    wxMouseEvent event(type);
    event.SetEventObject(&view);
    event.m_x = x;
    event.m_y = y;
    event.m_leftDown = left;
    event.m_rightDown = right;
    view.GetEventHandler()->ProcessEvent(event);
  };
  send(wxEVT_LEFT_DOWN, 100, 100, true, false);
  send(wxEVT_MOTION, 120, 110, true, false);
  EXPECT_EQ(view.camera.angleY, 100.0f);
  EXPECT_EQ(view.camera.angleX, 5.0f);
  send(wxEVT_LEFT_UP, 120, 110, false, false);
  send(wxEVT_MOTION, 300, 300, false, false);
  EXPECT_EQ(view.camera.angleY, 100.0f);
  send(wxEVT_RIGHT_DOWN, 50, 60, false, true);
  send(wxEVT_MOTION, 50, 50, false, true);
  EXPECT_EQ(view.camera.distance, -36.25f);
}

TEST_F(RobotViewRenderTest, ZeroHeightGivesAOnePixelViewport) {
  RobotView& view = openView();
  viewRenderContext->SetCurrent(view);
  view.resizeScene(300, 0);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 300);
  EXPECT_EQ(viewport[3], 1);
}

TEST_F(RobotViewRenderTest, FollowsTheRealEngineOverManyTicks) {
  placeStarBitmap();
  RobotView& view = openView();
  WalkEngine engine;
  view.engine = &engine;
  LookObliquely(view);
  const std::uint64_t framesBefore = view.framesDrawnForTesting();
  for (int tick = 0; tick < 150; ++tick) {
    engine.tick();
    const JointAngles angles = engine.jointAngles;
    ASSERT_TRUE(window->repaint());
    ASSERT_EQ(engine.jointAngles, angles) << "painting changed the engine";
  }
  EXPECT_GE(view.framesDrawnForTesting(), framesBefore + 150);
  const Picture picture = Picture::ReadLastFrame(view);
  picture.save("figure_after_ticks");
  EXPECT_GT(picture.count(ToRgb8(kUpperLegColour)), 20);
  EXPECT_GT(picture.count(ToRgb8(kLowerLegColour)), 20);
  expectSegmentsWhereProjected(picture, view, &engine.jointAngles);
}

TEST_F(RobotViewRenderTest, DeletingTheViewReleasesTheContext) {
  openView();
  window.reset();
  EXPECT_EQ(viewRenderContext, nullptr);
  EXPECT_EQ(viewDeviceContext, nullptr);
}

// A view whose window was never shown has no context yet: a refresh is
// harmless and deleting it releases nothing and shows no message.
TEST_F(RobotViewRenderTest, ViewThatWasNeverShownGoesQuietly) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "hidden");
  auto* view = new RobotView(frame, wxRect(5, 5, kViewWidth, kViewHeight));
  view->Refresh(true);
  view->Update();
  wxTheApp->Yield(true);
  EXPECT_EQ(viewRenderContext, nullptr);
  EXPECT_EQ(view->framesDrawnForTesting(), 0u);
  delete view;
  frame->Destroy();
  wxTheApp->Yield(true);
  EXPECT_EQ(viewRenderContext, nullptr);
}

// Runs as trotix_view_render_no_opengl_test, on a display without GLX: the
// view reports the missing pixel format in a box of its own, and creation
// goes on to the loader, whose box hangs on the focused window.
TEST_F(RobotViewRenderTest, WithoutOpenGlTheViewOwnsItsBoxAndTheLoaderStillRuns) {
  if (DisplayHasOpenGl()) GTEST_SKIP() << "this display offers OpenGL";
  std::ofstream(folder.starBitmapPath());  // empty: the loader refuses it
  auto* frame = new wxFrame(nullptr, wxID_ANY, "no OpenGL");
  auto* view = new RobotView(frame, wxRect(5, 5, kViewWidth, kViewHeight));
  frame->Show();
  PumpEventsUntil([&] { return messages.size() >= 2; }, 2000);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "ERROR: ChoosePixelFormat Failed");
  EXPECT_EQ(boxKinds[0], std::make_pair(MessageIcon::kExclamation, static_cast<wxWindow*>(view)));
  EXPECT_EQ(messages[1].rfind("Error: ", 0), 0u) << messages[1];
  EXPECT_EQ(boxKinds[1].first, MessageIcon::kNone);
  EXPECT_NE(boxKinds[1].second, view);  // the focused window's; the view takes no focus
  messages.clear();
  delete view;
  frame->Destroy();
  wxTheApp->Yield(true);
}

}  // namespace
}  // namespace trotix

namespace {

class RenderTestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// A failed wx check fails the test (and shows no dialog that would stop the run).
void FailOnWxAssertion(const wxString& file, int line, const wxString&, const wxString&,
                       const wxString& message) {
  ADD_FAILURE() << "wx assertion at " << file << ":" << line << ": " << message;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new RenderTestApp);  // wx deletes it in wxEntryCleanup
  wxSetAssertHandler(FailOnWxAssertion);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 1;
  const int status = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return status;
}
