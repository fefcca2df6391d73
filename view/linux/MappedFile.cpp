#include "view/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "view/FileNameText.h"

namespace trotix {

// Without O_NONBLOCK, opening a FIFO would wait for a writer and hang the
// program's start.
bool FileOpensForReading(const char* path) {
  const int descriptor = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return false;
  ::close(descriptor);
  return true;
}

MappedFile::MappedFile(const char* path) {
  if (path == nullptr) return;
  // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
  const int descriptor = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return;
  file_ = descriptor;
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0 ||
      static_cast<std::uintmax_t>(status.st_size) > SIZE_MAX) {
    return;
  }
  const std::size_t size = static_cast<std::size_t>(status.st_size);
  void* view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
  if (view == MAP_FAILED) return;
  view_ = view;
  size_ = size;
}

// The name is opened as UTF-8, the file system's encoding here.
MappedFile::MappedFile(const wchar_t* path)
    : MappedFile(path != nullptr ? WideToUtf8(path).c_str() : nullptr) {}

MappedFile::~MappedFile() {
  if (view_ != nullptr) munmap(view_, size_);
  if (file_ >= 0) close(static_cast<int>(file_));
}

}  // namespace trotix
