#include "app/windows/WalkDialog.h"

#include "app/WalkDialogLayout.h"
#include "app/windows/WalkApp.h"
#include "gaitlab/run/TickSchedule.h"
#include "trotix/SliderMapping.h"
#include "view/windows/RobotView.h"

namespace trotix {
namespace {

// The Help command of the application framework's command ids.
constexpr WORD kHelpCommand = 0xE146;
constexpr DWORD kViewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

void SetUpSlider(Trackbar& slider, int minimum, int maximum) {
  slider.setRange(minimum, maximum);
  slider.setPosition(0);
  slider.addTick(0);  // the only tick mark: the centre
}

}  // namespace

WalkDialog::WalkDialog()
    : icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTrotixIconId))) {}

INT_PTR WalkDialog::runModal() {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kWalkDialogTemplateId),
                         nullptr, &WalkDialog::dialogProcedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK WalkDialog::dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<WalkDialog*>(lParam);
    dialog->hwnd_ = window;
    SetWindowLongPtrA(window, DWLP_USER, lParam);
  }
  auto* dialog = reinterpret_cast<WalkDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  const INT_PTR result = dialog->handleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) dialog->windowGone();
  return result;
}

// FALSE hands a message on to the dialog manager's default handling.
INT_PTR WalkDialog::handleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return initialiseDialog();
    case WM_PAINT:
      return handlePaint();
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(handleQueryDragIcon());
    case WM_TIMER:
      handleTimer();
      return FALSE;
    case WM_COMMAND:
      return handleCommand(LOWORD(wParam));
    case WM_HELP:  // F1
      return handleCommand(kHelpCommand);
    case WM_DESTROY:
      destroyDialogWindow();
      return FALSE;
    default:
      return FALSE;
  }
}

void WalkDialog::bindControls() {
  verticalSlider.bind(hwnd_, kVerticalSliderId);
  horizontalSlider.bind(hwnd_, kHorizontalSliderId);
}

// Runs once, before the dialog is shown. TRUE: the dialog manager gives the
// keyboard focus to the first tab stop, the OK button.
BOOL WalkDialog::initialiseDialog() {
  if (WalkApp::current() != nullptr) WalkApp::current()->mainWindow = hwnd_;
  bindControls();
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SetUpSlider(horizontalSlider, kTurnMin, kTurnMax);
  SetUpSlider(verticalSlider, kStepMin, kStepMax);
  view = new RobotView;
  const RECT rect{kViewLeft, kViewTop, kViewLeft + kViewWidth, kViewTop + kViewHeight};
  view->create(hwnd_, rect, kViewStyle, 0);
  SetTimer(hwnd_, kSimulationTimerId, kTickPeriodMs, nullptr);
  // Only now: the view's own creation runs without an engine.
  view->engine = &engine;
  return TRUE;
}

// One tick per timer message, whatever its id and whatever time has passed.
void WalkDialog::handleTimer() { runSimulationStep(); }

void WalkDialog::invalidateView() {
  if (view != nullptr) InvalidateRect(view->window(), nullptr, TRUE);
}

// A minimised dialog draws its icon centred in its client area; otherwise
// the dialog manager paints.
bool WalkDialog::handlePaint() {
  if (!IsIconic(hwnd_)) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(hwnd_, &client);
  DrawIcon(dc, CentredIconOffset(client.right - client.left, iconWidth),
           CentredIconOffset(client.bottom - client.top, iconHeight), icon);
  EndPaint(hwnd_, &paint);
  return true;
}

// OK binds the controls again (nothing moves) and ends with 1; Cancel, which
// Escape and the title bar's close button also send, ends with 2.
bool WalkDialog::handleCommand(WORD command) {
  switch (command) {
    case IDOK:
      bindControls();
      EndDialog(hwnd_, IDOK);
      return true;
    case IDCANCEL:
      EndDialog(hwnd_, IDCANCEL);
      return true;
    case kHelpCommand:  // the program has no help, so nothing shows
      return true;
    default:
      return false;
  }
}

// The view goes first, with its rendering context and its window; the
// dialog window, its controls and its timer follow.
void WalkDialog::destroyDialogWindow() {
  delete view;
  view = nullptr;
  verticalSlider.unbind();
  horizontalSlider.unbind();
}

// The application's main window is gone with it.
void WalkDialog::windowGone() {
  WalkApp* app = WalkApp::current();
  if (app != nullptr && app->mainWindow == hwnd_) app->mainWindow = nullptr;
  hwnd_ = nullptr;
}

}  // namespace trotix
