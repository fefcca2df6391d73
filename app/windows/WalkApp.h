// The application object on Windows. Exactly one exists, a global object
// constructed before the entry point runs; its whole working life is one
// modal run of the WalkDialog inside the start hook, which then returns
// false, so no message loop follows and the program ends with status 0.
#ifndef TROTIX_APP_WINDOWS_WALKAPP_H_
#define TROTIX_APP_WINDOWS_WALKAPP_H_

#include <windows.h>

#include <functional>

namespace trotix {

class WalkDialog;

class WalkApp {
 public:
  WalkApp();  // becomes the current application
  virtual ~WalkApp();
  WalkApp(const WalkApp&) = delete;
  WalkApp& operator=(const WalkApp&) = delete;

  // The application object; null before it is built and after it is gone.
  static WalkApp* current();

  // What the entry point runs: the start hook, then the exit processing,
  // whose result is the process's exit status.
  int run();
  // The start hook: builds and runs the dialog; always false.
  virtual bool initialiseInstance();

  // The dialog's window while it exists: it sets and clears this itself.
  HWND mainWindow = nullptr;

  // Test hook: called with the dialog after it is built, before it runs.
  static std::function<void(WalkDialog&)>& beforeRunForTesting();
};

}  // namespace trotix

#endif  // TROTIX_APP_WINDOWS_WALKAPP_H_
