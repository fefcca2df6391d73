// Trotix for Windows: the quadruped trot walk simulator. The program reads
// no command line and writes no files; its only inputs are the trackbars
// and the mouse.
#include <windows.h>

#include "app/windows/WalkApp.h"

namespace {

trotix::WalkApp theApp;  // the one application object

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return theApp.run(); }
