#include "app/linux/WalkDialog.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/slider.h>
#include <wx/xrc/xmlres.h>

#include "app/linux/DialogResources.h"
#include "app/linux/DialogUnits.h"
#include "app/linux/TrotixIcon.h"
#include "trotix/SliderMapping.h"
#include "view/linux/RobotView.h"

namespace trotix {
namespace {

// The system's icon size when the desktop does not say.
constexpr int kFallbackIconSize = 32;

void SetUpSlider(wxSlider* slider, int minimum, int maximum) {
  if (slider == nullptr) return;
  slider->SetRange(minimum, maximum);
  slider->SetValue(0);
  slider->SetTick(0);  // the only tick mark: the centre
}

}  // namespace

WalkDialog::WalkDialog()
    : icon(LoadTrotixIcon()),
      timer_(this, kSimulationTimerId),
      schedule_(std::chrono::milliseconds(kTickPeriodMs)) {
  LoadDialogResources();
  templateLoaded_ = wxXmlResource::Get()->LoadDialog(this, nullptr, kWalkDialogTemplate);
  if (templateLoaded_) {
    SetClientSize(HorizontalUnitsToPixels(kDialogRect.width),
                  VerticalUnitsToPixels(kDialogRect.height));
  }
}

WalkDialog::~WalkDialog() { destroyDialogWindow(); }

// GTK shows a dialog before it sends the initialisation event, but the GL
// view must be created before its parent is realised (a window created
// later gets no creation event of its own). So initialise first; the
// event that ShowModal() sends then finds the work done.
int WalkDialog::runModal() {
  if (!templateLoaded_) return -1;
  InitDialog();
  return ShowModal();
}

bool WalkDialog::TransferDataToWindow() {
  bindControls();
  return true;
}

bool WalkDialog::TransferDataFromWindow() {
  bindControls();
  return true;
}

void WalkDialog::bindControls() {
  verticalSlider = wxDynamicCast(FindWindow(kVerticalSliderId), wxSlider);
  horizontalSlider = wxDynamicCast(FindWindow(kHorizontalSliderId), wxSlider);
}

// Sets up the dialog once, before it is shown.
void WalkDialog::initialiseDialog(wxInitDialogEvent& event) {
  wxDialog::OnInitDialog(event);  // calls TransferDataToWindow()
  if (view != nullptr) return;
  SetIcons(icon);
  SetUpSlider(horizontalSlider, kTurnMin, kTurnMax);
  SetUpSlider(verticalSlider, kStepMin, kStepMax);
  view = new RobotView(this, wxRect(kViewLeft, kViewTop, kViewWidth, kViewHeight));
  timer_.StartOnce(static_cast<int>(schedule_.start(TickSchedule::Clock::now()).count()));
  // Only now: the view's own creation runs without an engine.
  view->engine = &engine;
}

// One tick of the simulation per timer event, whatever time has passed. The
// next event is armed first, so handling time does not delay it.
void WalkDialog::handleTimer(wxTimerEvent&) {
  timer_.StartOnce(static_cast<int>(schedule_.next(TickSchedule::Clock::now()).count()));
  runSimulationStep();
}

std::optional<int> WalkDialog::verticalSliderPosition() const {
  if (verticalSlider == nullptr) return std::nullopt;
  return verticalSlider->GetValue();
}

std::optional<int> WalkDialog::horizontalSliderPosition() const {
  if (horizontalSlider == nullptr) return std::nullopt;
  return horizontalSlider->GetValue();
}

void WalkDialog::invalidateView() {
  if (view != nullptr) view->Refresh(true);
}

// A minimised dialog draws its icon centred (X11 never paints one).
void WalkDialog::handlePaint(wxPaintEvent& event) {
  if (!IsIconized()) {
    event.Skip();  // the toolkit's own dialog painting
    return;
  }
  wxPaintDC dc(this);
  dc.SetBackground(GetBackgroundColour());
  dc.Clear();
  int side = wxSystemSettings::GetMetric(wxSYS_ICON_X, this);
  if (side <= 0) side = kFallbackIconSize;
  const wxSize iconSize(side, side);
  const wxPoint origin = CentredIconOrigin(GetClientSize(), iconSize);
  dc.DrawIcon(icon.GetIcon(iconSize), origin);
}

// The drag image of a minimised dialog's icon; X11 never asks for it.
const wxIconBundle& WalkDialog::handleQueryDragIcon() const { return icon; }

// The view goes first (with its GL context), then the controls. The timer
// stops with them; the dialog's native window follows in the base class.
bool WalkDialog::destroyDialogWindow() {
  timer_.Stop();
  if (view != nullptr) {
    delete view;
    view = nullptr;
  }
  verticalSlider = nullptr;
  horizontalSlider = nullptr;
  DestroyChildren();
  return true;
}

wxPoint CentredIconOrigin(const wxSize& client, const wxSize& icon) {
  return wxPoint(CentredIconOffset(client.x, icon.x), CentredIconOffset(client.y, icon.y));
}

// clang-format off
wxBEGIN_EVENT_TABLE(WalkDialog, wxDialog)
  EVT_INIT_DIALOG(WalkDialog::initialiseDialog)
  EVT_PAINT(WalkDialog::handlePaint)
  EVT_TIMER(wxID_ANY, WalkDialog::handleTimer)
wxEND_EVENT_TABLE()
// clang-format on

}  // namespace trotix
