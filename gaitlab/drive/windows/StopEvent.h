// The event the console's stop requests set, so that the pacer's wait
// wakes for them as a POSIX signal interrupts ppoll.
#ifndef TROTIX_GAITLAB_DRIVE_WINDOWS_STOPEVENT_H_
#define TROTIX_GAITLAB_DRIVE_WINDOWS_STOPEVENT_H_

#include <windows.h>

namespace trotix {

// A manual-reset event, made on first use and kept for the program's life.
HANDLE StopEvent();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_WINDOWS_STOPEVENT_H_
