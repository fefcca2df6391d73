// The program's only top-level window on Windows: the modal dialog of
// template 102 with the GL view of the robot, a horizontal trackbar (turn),
// a vertical trackbar (step length), OK and Cancel. It owns the walk engine,
// and its 33 ms window timer is the simulation's clock: every WM_TIMER
// writes the slider positions into the gait, runs one engine tick and
// invalidates the view.
#ifndef TROTIX_APP_WINDOWS_WALKDIALOG_H_
#define TROTIX_APP_WINDOWS_WALKDIALOG_H_

#include <windows.h>

#include <optional>

#include "app/WalkDialogCore.h"
#include "app/windows/Trackbar.h"
#include "trotix/WalkEngine.h"

namespace trotix {

class RobotView;

class WalkDialog : public WalkDialogCore {
 public:
  // Loads the icon; creates no window.
  WalkDialog();
  WalkDialog(const WalkDialog&) = delete;
  WalkDialog& operator=(const WalkDialog&) = delete;

  // Runs the dialog modally: 1 after OK, 2 after Cancel, Escape or a close
  // request; -1 if the template is missing.
  INT_PTR runModal();
  HWND window() const { return hwnd_; }

 private:
  static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void bindControls();
  BOOL initialiseDialog();
  void handleTimer();
  bool handlePaint();
  HICON handleQueryDragIcon() const { return icon; }
  bool handleCommand(WORD command);
  void destroyDialogWindow();
  std::optional<int> verticalSliderPosition() const override { return verticalSlider.position(); }
  std::optional<int> horizontalSliderPosition() const override {
    return horizontalSlider.position();
  }
  void invalidateView() override;
  void windowGone();

  Trackbar verticalSlider;    // control 1001
  Trackbar horizontalSlider;  // control 1000
  WalkEngine& engine = walkEngine();
  HICON icon = nullptr;       // icon 128, kept for the life of the process
  RobotView* view = nullptr;  // owned; deleted before the dialog window goes
  HWND hwnd_ = nullptr;
};

}  // namespace trotix

#endif  // TROTIX_APP_WINDOWS_WALKDIALOG_H_
