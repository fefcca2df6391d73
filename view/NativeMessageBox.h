// The platform's half of the message boxes: which window has the keyboard
// focus, and the box itself. Each platform folder has its own file.
#ifndef TROTIX_VIEW_NATIVEMESSAGEBOX_H_
#define TROTIX_VIEW_NATIVEMESSAGEBOX_H_

#include <string>

#include "view/MessageBox.h"

namespace trotix {

// The window with the keyboard focus; null if no window of ours has it.
MessageOwner FocusedWindow();
// The platform's style flag for `icon`: one of the two given, or 0 (no flag)
// for none.
constexpr long IconStyle(MessageIcon icon, long exclamation, long information) {
  return icon == MessageIcon::kExclamation   ? exclamation
         : icon == MessageIcon::kInformation ? information
                                             : 0;
}

// Shows the box modally and returns when it is dismissed.
void ShowNativeMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageOwner owner);

}  // namespace trotix

#endif  // TROTIX_VIEW_NATIVEMESSAGEBOX_H_
