#include "gaitlab/io/OutputBuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "gaitlab/io/InputError.h"

namespace trotix {

OutputBuffer::OutputBuffer(std::FILE* stream, std::string name, std::size_t capacity)
    : stream_(stream), name_(std::move(name)), buffer_(capacity), capacity_(capacity) {}

void OutputBuffer::append(std::string_view text) {
  char* out = reserve(text.size());
  std::memcpy(out, text.data(), text.size());
  commit(out + text.size());
}

void OutputBuffer::drain(std::size_t needed) {
  if (used_ > 0 && std::fwrite(buffer_.data(), 1, used_, stream_) != used_) {
    throw OutputError("cannot write " + name_ + ": " + std::strerror(errno));
  }
  used_ = 0;
  if (needed > capacity_) {
    capacity_ = std::max(needed, capacity_ * 2);
    buffer_.resize(capacity_);
  }
}

void OutputBuffer::flush() {
  drain(0);
  if (std::fflush(stream_) != 0) {
    throw OutputError("cannot write " + name_ + ": " + std::strerror(errno));
  }
}

}  // namespace trotix
