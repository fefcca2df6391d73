#include "view/MappedFile.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace trotix {
namespace {

HANDLE AsHandle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

std::intptr_t AsFile(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

// Maps the whole file read-only and returns the view, or null. Only a file
// on disk is taken (a pipe or a device has no size to bound the reads by);
// an empty file cannot be mapped. `mapping` keeps the mapping object made.
void* MapWholeFile(HANDLE file, void*& mapping, std::size_t& size) {
  if (file == INVALID_HANDLE_VALUE || GetFileType(file) != FILE_TYPE_DISK) return nullptr;
  LARGE_INTEGER fileSize{};
  if (!GetFileSizeEx(file, &fileSize) || fileSize.QuadPart <= 0 ||
      static_cast<std::uint64_t>(fileSize.QuadPart) > SIZE_MAX) {
    return nullptr;
  }
  mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) return nullptr;
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  if (view != nullptr) size = static_cast<std::size_t>(fileSize.QuadPart);
  return view;
}

}  // namespace

// The C library's own open for reading, in text mode, closed again at once.
bool FileOpensForReading(const char* path) {
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

MappedFile::MappedFile(const char* path) {
  if (path == nullptr) return;
  file_ = AsFile(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  view_ = MapWholeFile(AsHandle(file_), mapping_, size_);
}

MappedFile::MappedFile(const wchar_t* path) {
  if (path == nullptr) return;
  file_ = AsFile(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  view_ = MapWholeFile(AsHandle(file_), mapping_, size_);
}

MappedFile::~MappedFile() {
  if (view_ != nullptr) UnmapViewOfFile(view_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
  if (AsHandle(file_) != INVALID_HANDLE_VALUE) CloseHandle(AsHandle(file_));
}

}  // namespace trotix
