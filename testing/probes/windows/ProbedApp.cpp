#include "testing/probes/ProbedApp.h"

#include "app/windows/WalkApp.h"
#include "app/windows/WalkDialog.h"

namespace trotix {

// The Windows program takes its name from the system, not from main().
int RunProbedApp(const char*, std::function<void()> afterTick) {
  WalkApp::beforeRunForTesting() = [&afterTick](WalkDialog& dialog) {
    dialog.afterTickForTesting = afterTick;
  };
  WalkApp app;
  return app.run();
}

}  // namespace trotix
