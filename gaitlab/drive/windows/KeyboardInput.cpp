#include "gaitlab/drive/KeyboardInput.h"

#include <io.h>
#include <windows.h>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

HANDLE ConsoleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

struct KeyboardInput::SavedMode {
  DWORD console = 0;
};

// Line input and echo off; processed input stays on, so that Ctrl-C still
// reaches the stop handler instead of arriving as a key.
KeyboardInput::KeyboardInput(int fd) : fd_(fd), saved_(std::make_unique<SavedMode>()) {
  const HANDLE console = ConsoleOf(fd_);
  if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &saved_->console)) {
    throw InputError("--input keyboard: standard input is not a console (use --input none --arm)");
  }
  const DWORD keys =
      (saved_->console & ~(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_MOUSE_INPUT)) |
      ENABLE_PROCESSED_INPUT;
  SetConsoleMode(console, keys);
}

KeyboardInput::~KeyboardInput() { SetConsoleMode(ConsoleOf(fd_), saved_->console); }

// Reads every waiting event, so that the console's handle is no longer
// signalled for the pacer's wait; only key presses count. Only while the
// handle is signalled, and no more than a peek shows: otherwise the call
// waits for keys (Wine's console, in the middle of an arrow's escape
// sequence from a terminal, held a peek 110 ms).
void KeyboardInput::poll(DriveControls& controls) {
  const HANDLE console = ConsoleOf(fd_);
  INPUT_RECORD events[32];
  DWORD got = 0;
  while (WaitForSingleObject(console, 0) == WAIT_OBJECT_0 &&
         PeekConsoleInputW(console, events, 32, &got) && got > 0) {
    if (!ReadConsoleInputW(console, events, got, &got) || got == 0) return;
    for (DWORD i = 0; i < got; ++i) {
      if (events[i].EventType != KEY_EVENT || !events[i].Event.KeyEvent.bKeyDown) continue;
      const KEY_EVENT_RECORD& press = events[i].Event.KeyEvent;
      for (WORD n = 0; n < press.wRepeatCount; ++n) {
        switch (press.wVirtualKeyCode) {
          case VK_UP:
            arrow(Arrow::kUp, controls);
            break;
          case VK_DOWN:
            arrow(Arrow::kDown, controls);
            break;
          case VK_RIGHT:
            arrow(Arrow::kRight, controls);
            break;
          case VK_LEFT:
            arrow(Arrow::kLeft, controls);
            break;
          default:
            // Escape would start an arrow's sequence, which Windows never sends.
            if (press.uChar.UnicodeChar > 0 && press.uChar.UnicodeChar < 0x80 &&
                press.uChar.UnicodeChar != 0x1b) {
              key(static_cast<unsigned char>(press.uChar.UnicodeChar), controls);
            }
        }
      }
    }
  }
}

}  // namespace trotix
