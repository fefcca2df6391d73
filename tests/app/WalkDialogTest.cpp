// The dialog in this process, on the test's X display: its layout, the
// slider set-up, what each timer tick writes into the engine, and the order
// in which its windows go.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/init.h>
#include <wx/slider.h>

#include "app/linux/DialogUnits.h"
#include "app/linux/WalkDialog.h"
#include "view/linux/RobotView.h"

namespace trotix {
namespace {

// The control dialog's layout in dialog units.
struct TemplateControl {
  int id;
  TemplateRect rect;
};
constexpr TemplateControl kTemplate[] = {
    {wxID_OK, kOkRect},
    {wxID_CANCEL, kCancelRect},
    {kHorizontalSliderId, kHorizontalSliderRect},
    {kVerticalSliderId, kVerticalSliderRect},
};

TEST(DialogUnitsTest, MapAtTheFixedScaleRoundingHalvesUp) {
  EXPECT_EQ(HorizontalUnitsToPixels(543), 815);  // 814.5
  EXPECT_EQ(VerticalUnitsToPixels(359), 583);    // 583.375
  EXPECT_EQ(HorizontalUnitsToPixels(143), 215);  // 214.5
  EXPECT_EQ(VerticalUnitsToPixels(20), 33);      // 32.5
  EXPECT_EQ(VerticalUnitsToPixels(131), 213);    // 212.875
}

TEST(CentredIconOriginTest, CentresAndTruncatesTowardZero) {
  EXPECT_EQ(CentredIconOrigin({815, 583}, {32, 32}), wxPoint(392, 276));
  // (20 - 32 + 1) / 2 is -5.5: truncation gives -5 where flooring gives -6.
  EXPECT_EQ(CentredIconOrigin({20, 20}, {32, 32}), wxPoint(-5, -5));
  EXPECT_EQ(CentredIconOrigin({0, 31}, {32, 32}), wxPoint(-15, 0));
}

TEST(WalkDialogTest, ControlsSitWhereTheTemplatePutsThem) {
  WalkDialog dialog;
  EXPECT_EQ(dialog.GetTitle(), "Trotix");
  EXPECT_EQ(dialog.GetClientSize(), wxSize(815, 583));
  const long style = dialog.GetWindowStyleFlag();
  EXPECT_FALSE(style & (wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxRESIZE_BORDER));
  EXPECT_TRUE(style & wxCLOSE_BOX);
  for (const TemplateControl& control : kTemplate) {
    SCOPED_TRACE(control.id);
    wxWindow* window = dialog.FindWindow(control.id);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetPosition(), wxPoint(HorizontalUnitsToPixels(control.rect.x),
                                             VerticalUnitsToPixels(control.rect.y)));
    EXPECT_EQ(window->GetSize(), wxSize(HorizontalUnitsToPixels(control.rect.width),
                                        VerticalUnitsToPixels(control.rect.height)));
  }
  auto* horizontal = wxDynamicCast(dialog.FindWindow(kHorizontalSliderId), wxSlider);
  auto* vertical = wxDynamicCast(dialog.FindWindow(kVerticalSliderId), wxSlider);
  ASSERT_NE(horizontal, nullptr);
  ASSERT_NE(vertical, nullptr);
  EXPECT_FALSE(horizontal->GetWindowStyleFlag() & (wxSL_VERTICAL | wxSL_INVERSE));
  EXPECT_TRUE(vertical->GetWindowStyleFlag() & wxSL_VERTICAL);
  EXPECT_FALSE(vertical->GetWindowStyleFlag() & wxSL_INVERSE);
  auto* ok = wxDynamicCast(dialog.FindWindow(wxID_OK), wxButton);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->GetLabel(), "OK");
  EXPECT_EQ(dialog.GetDefaultItem(), ok);
}

// Four legs, one value: every leg's `field` equals `expected`.
void ExpectAllLegs(const WalkEngine& engine, double LegGaitParams::*field, double expected) {
  for (const LegGaitParams& leg : engine.legs) EXPECT_DOUBLE_EQ(leg.*field, expected);
}

TEST(WalkDialogTest, EachTickWritesTheSliderPositionsIntoEveryLeg) {
  WalkDialog dialog;
  auto* horizontal = wxDynamicCast(dialog.FindWindow(kHorizontalSliderId), wxSlider);
  auto* vertical = wxDynamicCast(dialog.FindWindow(kVerticalSliderId), wxSlider);
  ASSERT_NE(horizontal, nullptr);
  ASSERT_NE(vertical, nullptr);
  const WalkEngine& engine = dialog.engineForTesting();
  int ticks = 0;
  dialog.afterTickForTesting = [&] {
    ++ticks;
    if (ticks == 1) {
      // Set up by the dialog: ranges, centred, view at its place with the engine.
      EXPECT_EQ(horizontal->GetMin(), -80);
      EXPECT_EQ(horizontal->GetMax(), 80);
      EXPECT_EQ(vertical->GetMin(), -130);
      EXPECT_EQ(vertical->GetMax(), 130);
      const RobotView* view = dialog.viewForTesting();
      EXPECT_NE(view, nullptr);
      if (view != nullptr) {
        EXPECT_EQ(view->engine, &engine);
        EXPECT_EQ(view->GetRect(), wxRect(5, 5, 500, 400));
      }
      // Both centred: 0 counts as 0.0001.
      ExpectAllLegs(engine, &LegGaitParams::stepLength, -0.0001);
      ExpectAllLegs(engine, &LegGaitParams::turnStep, 0.0001);
      vertical->SetValue(-130);  // the top: full stride forwards
      horizontal->SetValue(80);  // the right end: full turn
    } else if (ticks == 2) {
      ExpectAllLegs(engine, &LegGaitParams::stepLength, 130.0);
      ExpectAllLegs(engine, &LegGaitParams::halfStepLength, 65.0);
      ExpectAllLegs(engine, &LegGaitParams::turnStep, 80.0);
      ExpectAllLegs(engine, &LegGaitParams::turnStroke, 64.0);
      dialog.EndModal(wxID_OK);
    }
  };
  EXPECT_EQ(dialog.runModal(), wxID_OK);
  EXPECT_EQ(ticks, 2);
}

TEST(WalkDialogTest, TheViewGoesBeforeTheDialogsControls) {
  std::vector<std::string> destroyed;
  {
    WalkDialog dialog;
    dialog.afterTickForTesting = [&] {
      for (wxWindow* child : dialog.GetChildren()) {
        const std::string name = dynamic_cast<RobotView*>(child) != nullptr ? "view" : "control";
        child->Bind(wxEVT_DESTROY, [&destroyed, name, child](wxWindowDestroyEvent& event) {
          if (event.GetEventObject() == child) destroyed.push_back(name);
          event.Skip();
        });
      }
      dialog.EndModal(wxID_CANCEL);
    };
    EXPECT_EQ(dialog.runModal(), wxID_CANCEL);
  }
  ASSERT_EQ(destroyed.size(), 5u);  // the view, two buttons, two sliders
  EXPECT_EQ(destroyed.front(), "view");
}

}  // namespace
}  // namespace trotix

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp());  // a GUI application; wxEntryCleanup() deletes it
  if (!wxEntryStart(argc, argv)) return 1;
  const int result = RUN_ALL_TESTS();
  wxEntryCleanup();
  return result;
}
