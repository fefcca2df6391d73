#include "view/MappedFile.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace trotix {

// The C library's own open for reading, in text mode, closed again at once.
bool FileOpensForReading(const char* path) {
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

MappedFile::MappedFile(const char* path) : file_(INVALID_HANDLE_VALUE) {
  if (path == nullptr) return;
  file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  mapOpenedFile();
}

MappedFile::MappedFile(const wchar_t* path) : file_(INVALID_HANDLE_VALUE) {
  if (path == nullptr) return;
  file_ = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  mapOpenedFile();
}

// Maps the whole file read-only. Only a file on disk is taken (a pipe or a
// device has no size to bound the reads by); an empty file cannot be mapped.
void MappedFile::mapOpenedFile() {
  if (file_ == INVALID_HANDLE_VALUE || GetFileType(file_) != FILE_TYPE_DISK) return;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file_, &size) || size.QuadPart <= 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX) {
    return;
  }
  mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping_ == nullptr) return;
  view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
  if (view_ != nullptr) size_ = static_cast<std::size_t>(size.QuadPart);
}

MappedFile::~MappedFile() {
  if (view_ != nullptr) UnmapViewOfFile(view_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

}  // namespace trotix
