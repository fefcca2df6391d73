// Removes half-written temporary files when the program is interrupted
// (Ctrl-C, kill, hang-up, a closed pipe), so that an interrupted run leaves
// nothing behind.
#ifndef TROTIX_GAITLAB_TEMPORARYFILES_H_
#define TROTIX_GAITLAB_TEMPORARYFILES_H_

#include <string>

namespace trotix {

// As many temporary files as can be registered at once: more than a run
// opens outputs.
constexpr int kMaxTemporaryFiles = 16;

// Installs handlers for SIGINT and SIGTERM (and SIGHUP and SIGPIPE where
// they exist) that remove every registered file and then end the process as
// the signal would have; a signal the program was started ignoring stays
// ignored. Where files have a size limit (SIGXFSZ), a write beyond it fails
// as a full disk does instead of ending the program. Call it before the
// first output is opened.
void RemoveTemporaryFilesOnSignal();

// False, and nothing registered, when kMaxTemporaryFiles are registered
// already or the path is too long. Safe from several threads.
bool RegisterTemporaryFile(const std::string& path);
void ForgetTemporaryFile(const std::string& path);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TEMPORARYFILES_H_
