#include "view/MessageBox.h"

#include <utility>

#include <wx/msgdlg.h>
#include <wx/window.h>

namespace trotix {
namespace {

MessageBoxSink& Sink() {
  static MessageBoxSink sink;
  return sink;
}

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

void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                    wxWindow* owner) {
  if (owner == nullptr) owner = wxWindow::FindFocus();
  if (Sink()) {
    Sink()(text, caption, icon, owner);
    return;
  }
  // GTK's own message box no longer shows an icon, so the generic one, which
  // draws the icon kind from the desktop's theme, is used.
  wxGenericMessageDialog box(owner, wxString::FromUTF8(text), wxString::FromUTF8(caption),
                             wxOK | wxCENTRE | IconStyle(icon));
  box.ShowModal();
}

MessageBoxSink SetMessageBoxSinkForTesting(MessageBoxSink sink) {
  return std::exchange(Sink(), std::move(sink));
}

}  // namespace trotix
