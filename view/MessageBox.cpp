#include "view/MessageBox.h"

#include <utility>

#include "view/NativeMessageBox.h"

namespace trotix {
namespace {

MessageBoxSink& Sink() {
  static MessageBoxSink sink;
  return sink;
}

}  // namespace

void ShowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                    MessageOwner owner) {
  if (owner == nullptr) owner = FocusedWindow();
  if (Sink()) {
    Sink()(text, caption, icon, owner);
    return;
  }
  ShowNativeMessageBox(text, caption, icon, owner);
}

MessageBoxSink SetMessageBoxSinkForTesting(MessageBoxSink sink) {
  return std::exchange(Sink(), std::move(sink));
}

}  // namespace trotix
