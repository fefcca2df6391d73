// Trotix: the quadruped trot walk simulator. The program reads no options
// and writes no files; its only inputs are the sliders and the mouse.
#include "app/WalkApp.h"

wxIMPLEMENT_APP_NO_MAIN(trotix::WalkApp);

int main(int, char** argv) { return trotix::RunWalkApp(argv[0]); }
