// The program's only top-level window: a modal dialog with the GL view of
// the robot, a horizontal slider (turn), a vertical slider (step length), OK
// and Cancel. It owns the walk engine, and its 33 ms timer is the
// simulation's clock: every expiry writes the slider positions into the
// gait, runs one engine tick and asks the view to repaint.
#ifndef TROTIX_APP_LINUX_WALKDIALOG_H_
#define TROTIX_APP_LINUX_WALKDIALOG_H_

#include <optional>

#include <wx/dialog.h>
#include <wx/iconbndl.h>
#include <wx/timer.h>

#include "app/WalkDialogCore.h"
#include "app/WalkDialogLayout.h"
#include "gaitlab/run/TickSchedule.h"
#include "trotix/WalkEngine.h"

class wxSlider;

namespace trotix {

class RobotView;

class WalkDialog : public wxDialog, public WalkDialogCore {
 public:
  // Loads the layout and the icon. The dialog is not shown yet.
  WalkDialog();
  ~WalkDialog() override;  // destroyDialogWindow(), then the members go
  WalkDialog(const WalkDialog&) = delete;
  WalkDialog& operator=(const WalkDialog&) = delete;

  // Runs the dialog modally; -1 at once if the layout could not be loaded.
  int runModal();

  // Data exchange: both directions only bind the sliders; no values move.
  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

  // Test hooks: the engine and the view.
  const WalkEngine& engineForTesting() const { return engine; }
  const RobotView* viewForTesting() const { return view; }

 private:
  void bindControls();
  void initialiseDialog(wxInitDialogEvent& event);
  void handleTimer(wxTimerEvent& event);
  void handlePaint(wxPaintEvent& event);
  const wxIconBundle& handleQueryDragIcon() const;
  bool destroyDialogWindow();

  std::optional<int> verticalSliderPosition() const override;
  std::optional<int> horizontalSliderPosition() const override;
  void invalidateView() override;

  wxSlider* verticalSlider = nullptr;    // control 1001, owned by the dialog window
  wxSlider* horizontalSlider = nullptr;  // control 1000, owned by the dialog window
  wxIconBundle icon;
  RobotView* view = nullptr;  // owned; deleted before the dialog window goes
  WalkEngine& engine = walkEngine();
  wxTimer timer_;  // one-shot, re-armed from `schedule_` after every tick
  TickSchedule schedule_;
  bool templateLoaded_ = false;

  wxDECLARE_EVENT_TABLE();
};

// Where the minimised dialog draws its icon (see CentredIconOffset).
wxPoint CentredIconOrigin(const wxSize& client, const wxSize& icon);

}  // namespace trotix

#endif  // TROTIX_APP_LINUX_WALKDIALOG_H_
