#include "view/BitmapLoader.h"

#include <cstdio>
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

}  // namespace

RgbImage* LoadBitmapFile(const char* fileName) {
  if (fileName == nullptr) return nullptr;
  std::FILE* file = std::fopen(fileName, "r");
  if (file == nullptr) return nullptr;
  std::fclose(file);
  return LoadDibImage(fileName);
}

RgbImage* LoadDibImage(const char* fileName) {
  return LoadNamedDib(fileName != nullptr ? fileName : "(null)");
}

RgbImage* LoadDibImage(const wchar_t* fileName) {
  return LoadNamedDib(fileName != nullptr ? WideToUtf8(fileName) : "(null)");
}

}  // namespace trotix
