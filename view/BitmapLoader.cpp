#include "view/BitmapLoader.h"

#include <cstdlib>
#include <string>

#include "bitmap/DibDecoder.h"
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
// after everything is released. `shownName` names the file in that message.
template <typename Char>
RgbImage* LoadNamedDib(const Char* fileName, const std::string& shownName) {
  RgbImage* image = nullptr;
  bool opened = false;
  {
    const MappedFile file(fileName);
    opened = file.isOpen();
    if (opened) image = ImageFromFileBytes(file.data(), file.size());
  }
  if (!opened) ShowImageError(FailedToOpenDibText(shownName));
  return image;
}

// A missing name cannot be opened; it is named as "(null)" in the message,
// and nothing of that name is opened.
RgbImage* RefuseMissingName() {
  ShowImageError(FailedToOpenDibText("(null)"));
  return nullptr;
}

}  // namespace

RgbImage* LoadBitmapFile(const char* fileName) {
  if (fileName == nullptr || !FileOpensForReading(fileName)) return nullptr;
  return LoadDibImage(fileName);
}

RgbImage* LoadDibImage(const char* fileName) {
  return fileName != nullptr ? LoadNamedDib(fileName, fileName) : RefuseMissingName();
}

RgbImage* LoadDibImage(const wchar_t* fileName) {
  return fileName != nullptr ? LoadNamedDib(fileName, WideToUtf8(fileName)) : RefuseMissingName();
}

}  // namespace trotix
