#include "testing/probes/ProbedApp.h"

#include "app/linux/WalkApp.h"
#include "app/linux/WalkDialog.h"

wxIMPLEMENT_APP_NO_MAIN(trotix::WalkApp);

namespace trotix {

int RunProbedApp(const char* programName, std::function<void()> afterTick) {
  WalkApp::beforeRunForTesting() = [&afterTick](WalkDialog& dialog) {
    dialog.afterTickForTesting = afterTick;
  };
  return RunWalkApp(programName);
}

}  // namespace trotix
