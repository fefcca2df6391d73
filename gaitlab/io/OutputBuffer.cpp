#include "gaitlab/io/OutputBuffer.h"

#include <algorithm>
#include <cstring>

#include "gaitlab/io/CheckedWrite.h"

namespace trotix {

OutputBuffer::OutputBuffer(std::FILE* stream, std::string name, std::size_t capacity)
    : stream_(stream), name_(std::move(name)), buffer_(capacity), capacity_(capacity) {}

void OutputBuffer::append(std::string_view text) {
  char* out = reserve(text.size());
  std::memcpy(out, text.data(), text.size());
  commit(out + text.size());
}

void OutputBuffer::drain(std::size_t needed) {
  WriteAll(stream_, name_, std::string_view(buffer_.data(), used_));
  used_ = 0;
  if (needed > capacity_) {
    capacity_ = std::max(needed, capacity_ * 2);
    buffer_.resize(capacity_);
  }
}

void OutputBuffer::flush() {
  drain(0);
  WriteAndFlush(stream_, name_, {});
}

}  // namespace trotix
