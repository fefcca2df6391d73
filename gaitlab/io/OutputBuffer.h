// A large write buffer in front of a stdio stream, for writing millions of
// short rows quickly.
#ifndef TROTIX_GAITLAB_OUTPUTBUFFER_H_
#define TROTIX_GAITLAB_OUTPUTBUFFER_H_

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace trotix {

class OutputBuffer {
 public:
  // `name` appears in error messages. The stream is not owned.
  OutputBuffer(std::FILE* stream, std::string name, std::size_t capacity = 1 << 20);

  // Room for at least `size` bytes; write into it, then commit() the end.
  char* reserve(std::size_t size) {
    if (capacity_ - used_ < size) drain(size);
    return buffer_.data() + used_;
  }
  void commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  void append(std::string_view text);

  // Hands everything to the stream and flushes it; throws OutputError.
  void flush();

 private:
  void drain(std::size_t needed);

  std::FILE* stream_;
  std::string name_;
  std::vector<char> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_OUTPUTBUFFER_H_
