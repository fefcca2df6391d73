// The application object. Its whole working life is one modal run of the
// WalkDialog inside the start hook; the start hook then returns false, so
// no main loop follows and the program ends.
#ifndef TROTIX_APP_LINUX_WALKAPP_H_
#define TROTIX_APP_LINUX_WALKAPP_H_

#include <functional>

#include <wx/app.h>

namespace trotix {

class WalkDialog;

class WalkApp : public wxApp {
 public:
  WalkApp() = default;
  WalkApp(const WalkApp&) = delete;
  WalkApp& operator=(const WalkApp&) = delete;

  bool OnInit() override { return initialiseInstance(); }

  // Builds and runs the dialog; always false.
  bool initialiseInstance();

  // Test hook: called with the dialog after it is built, before it runs.
  static std::function<void(WalkDialog&)>& beforeRunForTesting();
};

// Starts wx with the program name alone (the program takes no options),
// runs the start hook, then wx's exit processing, and returns its status:
// 0 after OK, Cancel or closing the window; 1 if there is no display.
int RunWalkApp(const char* programName);

}  // namespace trotix

#endif  // TROTIX_APP_LINUX_WALKAPP_H_
