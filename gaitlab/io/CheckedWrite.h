// The one way trotix-gait hands its results to a stream or a file: every
// byte is checked, and a failure becomes an OutputError whose message names
// what could not be written.
#ifndef TROTIX_GAITLAB_CHECKEDWRITE_H_
#define TROTIX_GAITLAB_CHECKEDWRITE_H_

#include <cstdio>
#include <string>
#include <string_view>

namespace trotix {

// Writes `text` whole to `stream`, which messages call `name`.
void WriteAll(std::FILE* stream, const std::string& name, std::string_view text);

// Writes `text` whole and flushes, e.g. to standard error.
void WriteAndFlush(std::FILE* stream, const std::string& name, std::string_view text);

// Writes `text` to the file `path` ("-": standard output), which `option`
// named; a file appears whole or not at all.
void WriteFileWhole(const std::string& path, const std::string& option, std::string_view text);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_CHECKEDWRITE_H_
