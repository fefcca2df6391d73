// Reads a Windows bitmap file (BMP/DIB) into tightly packed RGB rows, the
// layout OpenGL takes for a texture. Failures show a box captioned "Error"
// (while showImageErrors is true) and return null.
#ifndef TROTIX_VIEW_BITMAPLOADER_H_
#define TROTIX_VIEW_BITMAPLOADER_H_

#include <cstdint>

namespace trotix {

// width x height pixels of red, green, blue bytes, rows without gaps, bottom
// row first. The record and `data` are separate malloc blocks: the receiver
// frees `data` first, then the record, with free().
struct RgbImage {
  std::int32_t width;
  std::int32_t height;
  unsigned char* data;
};

// Whether the loader shows its failures in message boxes. On by default.
extern bool showImageErrors;

// Null for a null name or a file that cannot be opened for reading (no box);
// otherwise LoadDibImage(fileName).
RgbImage* LoadBitmapFile(const char* fileName);

RgbImage* LoadDibImage(const char* fileName);
RgbImage* LoadDibImage(const wchar_t* fileName);

}  // namespace trotix

#endif  // TROTIX_VIEW_BITMAPLOADER_H_
