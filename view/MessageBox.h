// One place where every message box of the program goes: the GL view's set-up
// and release failures and the bitmap loader's errors. The program shows the
// platform's own box; tests replace the sink with a recorder.
#ifndef TROTIX_VIEW_MESSAGEBOX_H_
#define TROTIX_VIEW_MESSAGEBOX_H_

#include <functional>
#include <string>

// The window that owns a box, MessageOwner: the build puts the platform
// folder's header on the include path.
#include "MessageOwner.h"

namespace trotix {

enum class MessageIcon { kNone, kExclamation, kInformation };

// Shows a modal box with an OK button, owned by `owner`, or by the window
// that has the keyboard focus (if any) when `owner` is null.
void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                    MessageOwner owner = nullptr);

// Receives the owner the box would get (the focused window if none was given).
using MessageBoxSink = std::function<void(const std::string& text, const std::string& caption,
                                          MessageIcon icon, MessageOwner owner)>;

// Routes every later ShowMessageBox call to `sink` (an empty sink restores
// the platform's box). Returns the sink that was in place.
MessageBoxSink SetMessageBoxSinkForTesting(MessageBoxSink sink);

}  // namespace trotix

#endif  // TROTIX_VIEW_MESSAGEBOX_H_
