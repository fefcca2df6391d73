// One of the dialog's trackbar controls ("msctls_trackbar32"), bound by its
// control id: range, position, tick marks and the position query.
#ifndef TROTIX_APP_WINDOWS_TRACKBAR_H_
#define TROTIX_APP_WINDOWS_TRACKBAR_H_

#include <windows.h>

#include <commctrl.h>

namespace trotix {

class Trackbar {
 public:
  void bind(HWND dialog, int controlId) { control = GetDlgItem(dialog, controlId); }
  void unbind() { control = nullptr; }

  // Each with redraw.
  void setRange(int minimum, int maximum) {
    SendMessageA(control, TBM_SETRANGEMIN, TRUE, minimum);
    SendMessageA(control, TBM_SETRANGEMAX, TRUE, maximum);
  }
  void setPosition(int position) { SendMessageA(control, TBM_SETPOS, TRUE, position); }
  void addTick(int position) { SendMessageA(control, TBM_SETTIC, 0, position); }
  int position() const { return static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0)); }

 private:
  HWND control = nullptr;
};

}  // namespace trotix

#endif  // TROTIX_APP_WINDOWS_TRACKBAR_H_
