// A whole file mapped read-only into memory for as long as the object lives.
// Everything it acquired is released by the destructor, whichever step of
// opening failed. Each platform folder has its own implementation.
#ifndef TROTIX_VIEW_MAPPEDFILE_H_
#define TROTIX_VIEW_MAPPEDFILE_H_

#include <cstddef>
#include <cstdint>

namespace trotix {

// Whether the file can be opened for reading at all (and is closed again at
// once); never waits, not even on a pipe without a writer.
bool FileOpensForReading(const char* path);

class MappedFile {
 public:
  // Opens an existing regular file for reading and maps all of it. An empty
  // file cannot be mapped: isOpen() is then false, as for a missing one.
  explicit MappedFile(const char* path);
  // The same for a wide-character (UTF-16 on Windows) name.
  explicit MappedFile(const wchar_t* path);
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  bool isOpen() const { return view_ != nullptr; }
  const unsigned char* data() const { return static_cast<const unsigned char*>(view_); }
  std::size_t size() const { return size_; }

 private:
  // The file's descriptor or handle; -1 (INVALID_HANDLE_VALUE on Windows)
  // when not open.
  std::intptr_t file_ = -1;
  void* mapping_ = nullptr;  // the mapping object's handle, where there is one
  void* view_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_VIEW_MAPPEDFILE_H_
