#include "app/windows/WalkApp.h"

#include <commctrl.h>

#include "app/windows/WalkDialog.h"

namespace trotix {
namespace {

WalkApp* currentApp = nullptr;

}  // namespace

WalkApp::WalkApp() { currentApp = this; }

WalkApp::~WalkApp() {
  if (currentApp == this) currentApp = nullptr;
}

WalkApp* WalkApp::current() { return currentApp; }

// The exit processing stores nothing and ends with status 0.
int WalkApp::run() {
  initialiseInstance();  // false: no message loop follows
  return 0;
}

// The template hosts no embedded controls, and Windows draws the standard
// controls in 3D itself, so the one service to switch on is the common
// controls' trackbar class.
bool WalkApp::initialiseInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  {
    WalkDialog dialog;
    if (beforeRunForTesting()) beforeRunForTesting()(dialog);
    dialog.runModal();  // OK and Cancel end the program alike
  }
  return false;
}

std::function<void(WalkDialog&)>& WalkApp::beforeRunForTesting() {
  static std::function<void(WalkDialog&)> hook;
  return hook;
}

}  // namespace trotix
