// One of the dialog's trackbar controls ("msctls_trackbar32"), bound by its
// control id: range, position, tick marks and the position query.
#ifndef TROTIX_APP_WINDOWS_TRACKBAR_H_
#define TROTIX_APP_WINDOWS_TRACKBAR_H_

#include <windows.h>

#include <commctrl.h>

namespace trotix {

class Trackbar {
 public:
  void bind(HWND dialog, int controlId) { control_ = GetDlgItem(dialog, controlId); }
  void unbind() { control_ = nullptr; }

  // Each with redraw.
  void setRange(int minimum, int maximum) {
    SendMessageA(control_, TBM_SETRANGEMIN, TRUE, minimum);
    SendMessageA(control_, TBM_SETRANGEMAX, TRUE, maximum);
  }
  void setPosition(int position) { SendMessageA(control_, TBM_SETPOS, TRUE, position); }
  void addTick(int position) { SendMessageA(control_, TBM_SETTIC, 0, position); }
  int position() const { return static_cast<int>(SendMessageA(control_, TBM_GETPOS, 0, 0)); }

 private:
  HWND control_ = nullptr;
};

}  // namespace trotix

#endif  // TROTIX_APP_WINDOWS_TRACKBAR_H_
