#include "gaitlab/io/CheckedWrite.h"

#include <cerrno>
#include <cstring>

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/OutputFile.h"

namespace trotix {
namespace {

OutputError WriteFailure(const std::string& name) {
  return OutputError("cannot write " + name + ": " + std::strerror(errno));
}

}  // namespace

void WriteAll(std::FILE* stream, const std::string& name, std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stream) != text.size()) throw WriteFailure(name);
}

void WriteAndFlush(std::FILE* stream, const std::string& name, std::string_view text) {
  WriteAll(stream, name, text);
  if (std::fflush(stream) != 0) throw WriteFailure(name);
}

void WriteFileWhole(const std::string& path, const std::string& option, std::string_view text) {
  OutputFile file(path, option);
  WriteAll(file.stream(), file.displayName(), text);
  file.commit();
}

}  // namespace trotix
