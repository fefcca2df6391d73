// Reads a Windows bitmap file (BMP/DIB) into tightly packed RGB rows, the
// layout OpenGL takes for a texture. Failures show a box captioned "Error"
// (while showImageErrors is true) and return null.
#ifndef TROTIX_VIEW_BITMAPLOADER_H_
#define TROTIX_VIEW_BITMAPLOADER_H_

#include <cstdint>

#include "bitmap/DibHeader.h"  // PaletteEntryCount

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

// Maps the file and decodes it (see DibDecoder.h). A file that cannot be
// opened or mapped (an empty one, say) shows "Failed to open DIB file
// <name>.\n"; a picture that cannot be decoded shows "Unknown DIB file
// format.", "Image file conversion error." or "Out of memory.". A top-down
// picture comes back bottom row first with a positive height, like its
// bottom-up twin.
RgbImage* LoadDibImage(const char* fileName);
// The same for a wide-character name: opened by that name (on Linux as its
// UTF-8 bytes) and shown in UTF-8.
RgbImage* LoadDibImage(const wchar_t* fileName);

}  // namespace trotix

#endif  // TROTIX_VIEW_BITMAPLOADER_H_
