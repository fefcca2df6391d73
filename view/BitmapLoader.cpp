// placeholder: to be implemented
#include "view/BitmapLoader.h"

namespace trotix {
bool showImageErrors = true;
RgbImage* LoadBitmapFile(const char*) { return nullptr; }
RgbImage* LoadDibImage(const char*) { return nullptr; }
RgbImage* LoadDibImage(const wchar_t*) { return nullptr; }
}  // namespace trotix
