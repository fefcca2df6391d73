// The dialog layout is compiled into the program (wxrc -c), so the program
// runs from any working directory.
#ifndef TROTIX_APP_LINUX_DIALOGRESOURCES_H_
#define TROTIX_APP_LINUX_DIALOGRESOURCES_H_

namespace trotix {

// Name of the control dialog's layout in the resources.
constexpr const char* kWalkDialogTemplate = "102";

// Registers the XRC handlers and the compiled-in layout. Safe to call again.
void LoadDialogResources();

}  // namespace trotix

#endif  // TROTIX_APP_LINUX_DIALOGRESOURCES_H_
