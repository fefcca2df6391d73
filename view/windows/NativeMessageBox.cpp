#include "view/NativeMessageBox.h"

#include <windows.h>

namespace trotix {

MessageOwner FocusedWindow() { return GetFocus(); }

void ShowNativeMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageOwner owner) {
  const auto iconStyle = static_cast<UINT>(IconStyle(icon, MB_ICONEXCLAMATION, MB_ICONINFORMATION));
  MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | iconStyle);
}

}  // namespace trotix
