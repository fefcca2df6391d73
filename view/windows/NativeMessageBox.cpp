#include "view/NativeMessageBox.h"

#include <windows.h>

namespace trotix {
namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kExclamation:
      return MB_ICONEXCLAMATION;
    case MessageIcon::kInformation:
      return MB_ICONINFORMATION;
    case MessageIcon::kNone:
      break;
  }
  return 0;
}

}  // namespace

MessageOwner FocusedWindow() { return GetFocus(); }

void ShowNativeMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageOwner owner) {
  MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | IconStyle(icon));
}

}  // namespace trotix
