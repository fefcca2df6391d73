// The window that owns a message box on Windows: a window handle.
#ifndef TROTIX_VIEW_WINDOWS_MESSAGEOWNER_H_
#define TROTIX_VIEW_WINDOWS_MESSAGEOWNER_H_

struct HWND__;

namespace trotix {

using MessageOwner = HWND__*;

}  // namespace trotix

#endif  // TROTIX_VIEW_WINDOWS_MESSAGEOWNER_H_
