// Ctrl-C and the system's other requests to end (SIGTERM and SIGHUP; on
// Windows the console's Ctrl-Break, close, log-off and shut-down events)
// ask the drive to stop: the handler only notes the request, which also
// wakes the drive's wait, and the drive turns the torque off and ends.
// SIGPIPE is ignored, so a closed pipe is a failed write.
#ifndef TROTIX_GAITLAB_DRIVE_DRIVESIGNALS_H_
#define TROTIX_GAITLAB_DRIVE_DRIVESIGNALS_H_

namespace trotix {

// Installs the handlers (without SA_RESTART).
void CatchStopSignals();
// The signal that asked to stop (on Windows SIGINT for Ctrl-C and
// Ctrl-Break, SIGTERM for the others), or 0.
int CaughtStopSignal();
// What asked to stop, for the message that ends the drive.
const char* CaughtStopName();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_DRIVESIGNALS_H_
