#include "view/NativeMessageBox.h"

#include <wx/msgdlg.h>
#include <wx/window.h>

namespace trotix {

MessageOwner FocusedWindow() { return wxWindow::FindFocus(); }

void ShowNativeMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageOwner owner) {
  // GTK's own message box no longer shows an icon, so the generic one, which
  // draws the icon kind from the desktop's theme, is used. It draws an error
  // icon for wxICON_NONE, so no icon means no flag.
  wxGenericMessageDialog box(
      owner, wxString::FromUTF8(text), wxString::FromUTF8(caption),
      wxOK | wxCENTRE | IconStyle(icon, wxICON_EXCLAMATION, wxICON_INFORMATION));
  box.ShowModal();
}

}  // namespace trotix
