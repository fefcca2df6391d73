// Removes half-written temporary files when the program is interrupted
// (Ctrl-C, kill, hang-up, a closed pipe), so that an interrupted run leaves
// nothing behind.
#ifndef TROTIX_GAITLAB_TEMPORARYFILES_H_
#define TROTIX_GAITLAB_TEMPORARYFILES_H_

#include <string>

namespace trotix {

// Installs handlers for SIGINT and SIGTERM (and SIGHUP and SIGPIPE where
// they exist) that remove every registered file and then end the process as
// the signal would have.
void RemoveTemporaryFilesOnSignal();

// A few files at a time; further ones are simply not covered.
void RegisterTemporaryFile(const std::string& path);
void ForgetTemporaryFile(const std::string& path);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_TEMPORARYFILES_H_
