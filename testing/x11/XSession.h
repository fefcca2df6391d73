// A client connection to the test's X display: finds the program's windows,
// reads screen pixels, sends the close request a window manager would send,
// and drives the mouse and keyboard through xdotool.
#ifndef TROTIX_TESTS_APP_XSESSION_H_
#define TROTIX_TESTS_APP_XSESSION_H_

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace trotix::testing {

using WindowId = unsigned long;

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// Pixels as 0xRRGGBB, row by row.
struct ScreenImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

class XSession {
 public:
  XSession();  // connects to $DISPLAY; display() is null if that fails
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  Display* display() const { return connection; }
  // A mapped top-level window titled `title` that belongs to process `pid`;
  // 0 if there is none.
  WindowId findWindow(const std::string& title, pid_t pid) const;
  // Whether the X server offers the extension, e.g. "GLX".
  bool hasExtension(const std::string& name) const;
  // The window that has the keyboard focus (0 for none).
  WindowId focusedWindow() const;
  // Screen position of the window's client area, and its size.
  ScreenPoint origin(WindowId window) const;
  ScreenPoint size(WindowId window) const;
  ScreenImage grab(int x, int y, int width, int height) const;
  // The newest window anywhere below the root that is `width` x `height`
  // pixels (0 if none), and what that window itself holds, also when it is
  // drawn off the screen.
  WindowId findWindowOfSize(int width, int height) const;
  ScreenImage grabWindow(WindowId window, int width, int height) const;
  // WM_DELETE_WINDOW, as a window manager sends it for the title bar's close.
  void sendCloseRequest(WindowId window) const;

 private:
  Display* connection = nullptr;
};

// Runs `xdotool ARGUMENTS` and waits for it; true on success.
bool Xdotool(const std::string& arguments);
// Saves the whole screen as a PNG (for looking at a failure).
void SaveScreenshot(const std::string& path);

}  // namespace trotix::testing

#endif  // TROTIX_TESTS_APP_XSESSION_H_
