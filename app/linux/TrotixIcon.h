// The program's icon: a small walking robot, 32 x 32 and 16 x 16 pixels in
// 16 colours, for the title bar, the taskbar and the minimised dialog.
#ifndef TROTIX_APP_LINUX_TROTIXICON_H_
#define TROTIX_APP_LINUX_TROTIXICON_H_

#include <wx/iconbndl.h>

namespace trotix {

wxIconBundle LoadTrotixIcon();

}  // namespace trotix

#endif  // TROTIX_APP_LINUX_TROTIXICON_H_
