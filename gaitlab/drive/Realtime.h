// --realtime: the drive's thread under SCHED_FIFO and its memory locked
// (POSIX), or the process in the high priority class and its thread at
// time-critical priority (Windows), where the system permits it.
#ifndef TROTIX_GAITLAB_DRIVE_REALTIME_H_
#define TROTIX_GAITLAB_DRIVE_REALTIME_H_

#include <string>

namespace trotix {

// The SCHED_FIFO priority the drive asks for, of 1 to 99: above ordinary
// real-time helpers, below the kernel's own threads.
constexpr int kRealtimePriority = 50;

// Empty when both took effect, else one line on what was refused and why.
std::string EnterRealtime();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_REALTIME_H_
