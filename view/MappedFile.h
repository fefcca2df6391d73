// A whole file mapped read-only into memory for as long as the object lives.
// Everything it acquired is released by the destructor, whichever step of
// opening failed.
#ifndef TROTIX_VIEW_MAPPEDFILE_H_
#define TROTIX_VIEW_MAPPEDFILE_H_

#include <cstddef>

namespace trotix {

class MappedFile {
 public:
  // Opens an existing regular file for reading and maps all of it. An empty
  // file cannot be mapped: isOpen() is then false, as for a missing one.
  explicit MappedFile(const char* path);
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  bool isOpen() const { return view_ != nullptr; }
  const unsigned char* data() const { return static_cast<const unsigned char*>(view_); }
  std::size_t size() const { return size_; }

 private:
  int descriptor_ = -1;
  void* view_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_VIEW_MAPPEDFILE_H_
