#include "testing/x11/XSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>

namespace trotix::testing {
namespace {

std::string WindowTitle(Display* display, Window window) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return {};
  std::string title(name);
  XFree(name);
  return title;
}

long WindowPid(Display* display, Window window) {
  Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
  if (pidAtom == None) return -1;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr) {
    if (count == 1 && format == 32)
      pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    XFree(data);
  }
  return pid;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

// A window may go between listing it and reading its properties (a box
// closing, GTK's short-lived windows at start-up); Xlib's default handler
// would end the test for that.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

ScreenImage GrabDrawable(Display* display, Window window, int x, int y, int width, int height) {
  ScreenImage image;
  XImage* raw = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
  if (raw == nullptr) return image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      image.pixels[static_cast<size_t>(row) * width + column] =
          static_cast<std::uint32_t>(XGetPixel(raw, column, row) & 0xFFFFFF);
    }
  }
  XDestroyImage(raw);
  return image;
}

// Depth first; of several, the last in stacking order, the newest.
Window FindWindowOfSize(Display* display, Window window, int width, int height) {
  Window rootReturn = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &rootReturn, &parent, &children, &count) == 0) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.width == width &&
        attributes.height == height) {
      found = children[i];
    } else if (Window below = FindWindowOfSize(display, children[i], width, height)) {
      found = below;
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

XSession::XSession() : connection(XOpenDisplay(nullptr)) { XSetErrorHandler(IgnoreXError); }

XSession::~XSession() {
  if (connection != nullptr) XCloseDisplay(connection);
}

WindowId XSession::findWindow(const std::string& title, pid_t pid) const {
  Window root = DefaultRootWindow(connection);
  Window rootReturn = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(connection, root, &rootReturn, &parent, &children, &count) == 0) return 0;
  WindowId found = 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    Window window = children[i];
    if (WindowTitle(connection, window) == title && WindowPid(connection, window) == pid &&
        Viewable(connection, window)) {
      found = window;
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

bool XSession::hasExtension(const std::string& name) const {
  int opcode = 0, event = 0, error = 0;
  return XQueryExtension(connection, name.c_str(), &opcode, &event, &error) == True;
}

WindowId XSession::focusedWindow() const {
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(connection, &focus, &revertTo);
  return focus == PointerRoot ? 0 : focus;
}

ScreenPoint XSession::origin(WindowId window) const {
  Window child = 0;
  ScreenPoint point;
  XTranslateCoordinates(connection, window, DefaultRootWindow(connection), 0, 0, &point.x, &point.y,
                        &child);
  return point;
}

ScreenPoint XSession::size(WindowId window) const {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(connection, window, &attributes) == 0) return {};
  return {attributes.width, attributes.height};
}

ScreenImage XSession::grab(int x, int y, int width, int height) const {
  return GrabDrawable(connection, DefaultRootWindow(connection), x, y, width, height);
}

ScreenImage XSession::grabWindow(WindowId window, int width, int height) const {
  return GrabDrawable(connection, window, 0, 0, width, height);
}

WindowId XSession::findWindowOfSize(int width, int height) const {
  return FindWindowOfSize(connection, DefaultRootWindow(connection), width, height);
}

void XSession::sendCloseRequest(WindowId window) const {
  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(connection, window, False, NoEventMask, &event);
  XFlush(connection);
}

bool Xdotool(const std::string& arguments) {
  return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

void SaveScreenshot(const std::string& path) {
  std::system(("import -window root '" + path + "' >/dev/null 2>&1").c_str());
}

}  // namespace trotix::testing
