// Trotix: the quadruped trot walk simulator. The program reads no options
// and writes no files; its only inputs are the sliders and the mouse.
#include "app/linux/WalkApp.h"

wxIMPLEMENT_APP_NO_MAIN(trotix::WalkApp);

int main(int, char** argv) {
  // What wx's own main() does: a release build (NDEBUG) shows no assertion
  // dialogs. wx keeps its checks on in release builds and its libraries are
  // built with them, so NDEBUG alone does not silence them.
  wxDISABLE_ASSERTS_IN_RELEASE_BUILD();
  return trotix::RunWalkApp(argv[0]);
}
