#include "view/NativeMessageBox.h"

#include <wx/msgdlg.h>
#include <wx/window.h>

namespace trotix {
namespace {

long IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kExclamation:
      return wxICON_EXCLAMATION;
    case MessageIcon::kInformation:
      return wxICON_INFORMATION;
    case MessageIcon::kNone:
      break;
  }
  return 0;  // the generic box draws an error icon for wxICON_NONE
}

}  // namespace

MessageOwner FocusedWindow() { return wxWindow::FindFocus(); }

void ShowNativeMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageOwner owner) {
  // GTK's own message box no longer shows an icon, so the generic one, which
  // draws the icon kind from the desktop's theme, is used.
  wxGenericMessageDialog box(owner, wxString::FromUTF8(text), wxString::FromUTF8(caption),
                             wxOK | wxCENTRE | IconStyle(icon));
  box.ShowModal();
}

}  // namespace trotix
