#include "app/linux/DialogResources.h"

#include <wx/xrc/xmlres.h>

// Made by wxrc from res/WalkDialog.xrc.
void InitTrotixResources();

namespace trotix {

void LoadDialogResources() {
  static bool loaded = false;
  if (loaded) return;
  wxXmlResource::Get()->InitAllHandlers();
  InitTrotixResources();
  loaded = true;
}

}  // namespace trotix
