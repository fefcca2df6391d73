#include "app/linux/TrotixIcon.h"

#include <wx/icon.h>

namespace trotix {
namespace {
#include "res/TrotixIcon16.xpm"
#include "res/TrotixIcon32.xpm"
}  // namespace

wxIconBundle LoadTrotixIcon() {
  wxIconBundle bundle;
  bundle.AddIcon(wxIcon(kTrotixIcon32));
  bundle.AddIcon(wxIcon(kTrotixIcon16));
  return bundle;
}

}  // namespace trotix
