// Reading a whole input file (a schedule, a gait file) given by the user.
#ifndef TROTIX_GAITLAB_INPUTFILE_H_
#define TROTIX_GAITLAB_INPUTFILE_H_

#include <cstddef>
#include <string>

namespace trotix {

// The file's bytes. Throws InputFileError starting with the quoted path if
// it is missing, unreadable or larger than `maxBytes`.
std::string ReadInputFile(const std::string& path, std::size_t maxBytes);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_INPUTFILE_H_
