// What both platforms' control dialogs share: the resource ids, the template's
// layout in dialog units (from res/WalkDialogTemplate.h, which the Windows
// resource script reads too), the GL view's place in pixels and the timer's
// id (its period is the walk's, kTickPeriodMs).
#ifndef TROTIX_APP_WALKDIALOGLAYOUT_H_
#define TROTIX_APP_WALKDIALOGLAYOUT_H_

#include "res/WalkDialogTemplate.h"

namespace trotix {

constexpr int kWalkDialogTemplateId = TROTIX_DIALOG_TEMPLATE;
constexpr int kTrotixIconId = TROTIX_ICON;
constexpr int kHorizontalSliderId = TROTIX_HORIZONTAL_SLIDER;
constexpr int kVerticalSliderId = TROTIX_VERTICAL_SLIDER;

// A rectangle of the template in dialog units.
struct TemplateRect {
  int x, y, width, height;
};
constexpr TemplateRect kDialogRect{TROTIX_DIALOG_RECT};
constexpr TemplateRect kOkRect{TROTIX_OK_RECT};
constexpr TemplateRect kCancelRect{TROTIX_CANCEL_RECT};
constexpr TemplateRect kHorizontalSliderRect{TROTIX_HORIZONTAL_SLIDER_RECT};
constexpr TemplateRect kVerticalSliderRect{TROTIX_VERTICAL_SLIDER_RECT};

constexpr int kSimulationTimerId = 0;
// Client pixels of the GL view: left, top, width, height.
constexpr int kViewLeft = 5;
constexpr int kViewTop = 5;
constexpr int kViewWidth = 500;
constexpr int kViewHeight = 400;

// Where a minimised dialog draws its icon along one axis: centred, by integer
// division that truncates toward zero (so a client smaller than the icon
// gives a negative origin rounded up, not down).
constexpr int CentredIconOffset(int client, int icon) { return (client - icon + 1) / 2; }

}  // namespace trotix

#endif  // TROTIX_APP_WALKDIALOGLAYOUT_H_
