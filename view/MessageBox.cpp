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
  return wxICON_NONE;
}

}  // namespace

void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
  if (Sink()) {
    Sink()(text, caption, icon);
    return;
  }
  wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), wxOK | IconStyle(icon),
               wxWindow::FindFocus());
}

MessageBoxSink SetMessageBoxSinkForTesting(MessageBoxSink sink) {
  return std::exchange(Sink(), std::move(sink));
}

}  // namespace trotix
