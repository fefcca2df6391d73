// Ctrl-C, SIGTERM and SIGHUP ask the drive to stop: the handler only notes
// the signal, which also interrupts the drive's wait, and the drive turns
// the torque off and ends. SIGPIPE is ignored, so a closed pipe is a failed
// write.
#ifndef TROTIX_GAITLAB_DRIVE_DRIVESIGNALS_H_
#define TROTIX_GAITLAB_DRIVE_DRIVESIGNALS_H_

namespace trotix {

// Installs the handlers (without SA_RESTART).
void CatchStopSignals();
// The signal that asked to stop, or 0.
int CaughtStopSignal();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_DRIVESIGNALS_H_
