#include "view/BitmapLoader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "view/DibDecoder.h"
#include "view/FileNameText.h"
#include "view/MappedFile.h"
#include "view/MessageBox.h"

namespace trotix {

bool showImageErrors = true;

namespace {

void ShowImageError(const std::string& text) {
  if (showImageErrors) ShowMessageBox(text, "Error", MessageIcon::kNone);
}

// The caller's record: the pixels (the section's own buffer) and the record
// itself are separate malloc blocks.
RgbImage* MakeRgbImage(DibSection* section) {
  const std::int32_t width = section->width;
  const std::int32_t height = static_cast<std::int32_t>(section->rowCount());
  auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
  if (image == nullptr) {
    ShowImageError("Out of memory.");
    return nullptr;
  }
  image->width = width;
  image->height = height;
  image->data = TakeSectionAsRgb(section);
  return image;
}

RgbImage* ImageFromFileBytes(const unsigned char* bytes, std::size_t size) {
  DibSection section;
  const DibStatus status = DecodeDib(bytes, size, &section);
  if (status != DibStatus::kOk) {
    ShowImageError(DibStatusMessage(status));
    return nullptr;
  }
  return MakeRgbImage(&section);
}

// Failure messages appear while the file is still mapped; the open failure
// after everything is released.
RgbImage* LoadNamedDib(const std::string& utf8Name) {
  RgbImage* image = nullptr;
  bool opened = false;
  {
    const MappedFile file(utf8Name.c_str());
    opened = file.isOpen();
    if (opened) image = ImageFromFileBytes(file.data(), file.size());
  }
  if (!opened) ShowImageError(FailedToOpenDibText(utf8Name));
  return image;
}

// Whether the file opens for reading at all. Without O_NONBLOCK, opening a
// FIFO would wait for a writer and hang the program's start.
bool OpensForReading(const char* fileName) {
  const int descriptor = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return false;
  ::close(descriptor);
  return true;
}

// A missing name cannot be opened; it is named as "(null)" in the message,
// and nothing of that name is opened.
RgbImage* RefuseMissingName() {
  ShowImageError(FailedToOpenDibText("(null)"));
  return nullptr;
}

}  // namespace

RgbImage* LoadBitmapFile(const char* fileName) {
  if (fileName == nullptr || !OpensForReading(fileName)) return nullptr;
  return LoadDibImage(fileName);
}

RgbImage* LoadDibImage(const char* fileName) {
  return fileName != nullptr ? LoadNamedDib(fileName) : RefuseMissingName();
}

RgbImage* LoadDibImage(const wchar_t* fileName) {
  return fileName != nullptr ? LoadNamedDib(WideToUtf8(fileName)) : RefuseMissingName();
}

}  // namespace trotix
