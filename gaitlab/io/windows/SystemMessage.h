// The text Windows gives for an error code (GetLastError, WSAGetLastError),
// on one line.
#ifndef TROTIX_GAITLAB_IO_WINDOWS_SYSTEMMESSAGE_H_
#define TROTIX_GAITLAB_IO_WINDOWS_SYSTEMMESSAGE_H_

#include <string>

namespace trotix {

// "error N" when the system has no text for `code`.
std::string SystemMessage(unsigned long code);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_IO_WINDOWS_SYSTEMMESSAGE_H_
