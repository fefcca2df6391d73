#include "app/linux/WalkApp.h"

#include <wx/init.h>

#include "app/linux/WalkDialog.h"

namespace trotix {

// The program has no help, so F1 is routed nowhere.
bool WalkApp::initialiseInstance() {
  {
    WalkDialog dialog;
    SetTopWindow(&dialog);
    if (beforeRunForTesting()) beforeRunForTesting()(dialog);
    dialog.runModal();  // OK and Cancel end the program alike
    SetTopWindow(nullptr);
  }
  return false;
}

std::function<void(WalkDialog&)>& WalkApp::beforeRunForTesting() {
  static std::function<void(WalkDialog&)> hook;
  return hook;
}

int RunWalkApp(const char* programName) {
  int argc = 1;
  char* argv[] = {const_cast<char*>(programName), nullptr};
  if (!wxEntryStart(argc, argv)) return 1;  // wx has said why (no display)
  wxTheApp->CallOnInit();                   // the whole run; returns false
  const int status = wxTheApp->OnExit();
  wxEntryCleanup();
  return status;
}

}  // namespace trotix
