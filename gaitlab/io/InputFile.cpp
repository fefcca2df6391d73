#include "gaitlab/io/InputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gaitlab/io/InputError.h"

namespace trotix {

std::string ReadInputFile(const std::string& path, const std::string& option,
                          std::size_t maxBytes) {
  const std::string what = option + ": " + QuoteForMessage(path);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) throw InputError(what + ": " + std::strerror(errno));
  std::string text;
  char chunk[65536];
  while (true) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    text.append(chunk, got);
    if (text.size() > maxBytes) {
      throw InputError(what + ": larger than " + std::to_string(maxBytes >> 20) + " MiB");
    }
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file.get())) throw InputError(what + ": " + std::strerror(errno));
  return text;
}

}  // namespace trotix
