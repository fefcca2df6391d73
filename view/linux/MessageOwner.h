// The window that owns a message box on Linux: a wx window.
#ifndef TROTIX_VIEW_LINUX_MESSAGEOWNER_H_
#define TROTIX_VIEW_LINUX_MESSAGEOWNER_H_

class wxWindow;

namespace trotix {

using MessageOwner = wxWindow*;

}  // namespace trotix

#endif  // TROTIX_VIEW_LINUX_MESSAGEOWNER_H_
