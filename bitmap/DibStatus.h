// The outcome of decoding a device-independent bitmap, and the text the
// loader shows for each failure.
#ifndef TROTIX_BITMAP_DIBSTATUS_H_
#define TROTIX_BITMAP_DIBSTATUS_H_

namespace trotix {

enum class DibStatus {
  kOk,
  kUnknownFormat,    // no header, or a header size other than 12 or 40
  kConversionError,  // fields the decoder cannot honour, or a file too short for them
  kOutOfMemory,      // the 24-bit picture would be too large, or allocation failed
};

// "Unknown DIB file format.", "Image file conversion error.", "Out of
// memory."; an empty text for kOk.
const char* DibStatusMessage(DibStatus status);

}  // namespace trotix

#endif  // TROTIX_BITMAP_DIBSTATUS_H_
