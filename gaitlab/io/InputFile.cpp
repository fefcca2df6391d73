#include "gaitlab/io/InputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gaitlab/io/InputError.h"

namespace trotix {

std::string ReadInputFile(const std::string& path, std::size_t maxBytes) {
  const std::string what = QuoteForMessage(path);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) {
    const int error = errno;
    throw InputFileError(what + ": " + std::strerror(error), error);
  }
  std::string text;
  char chunk[65536];
  while (true) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    text.append(chunk, got);
    if (text.size() > maxBytes) {
      throw InputFileError(what + ": larger than " + std::to_string(maxBytes >> 20) + " MiB", 0);
    }
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file.get())) {
    const int error = errno;
    throw InputFileError(what + ": " + std::strerror(error), error);
  }
  return text;
}

}  // namespace trotix
