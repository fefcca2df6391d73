// Feeds arbitrary bytes to the bitmap decoder and, when it accepts them, to
// the conversion into RGB rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "bitmap/DibDecoder.h"
#include "bitmap/DibHeader.h"

namespace {

// Smaller than the loader's limit so that each run stays quick; the size
// arithmetic is the same.
constexpr std::size_t kFuzzSectionLimit = std::size_t{4} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trotix::PaletteEntryCount(data, size);
  trotix::DibSection section;
  if (trotix::DecodeDib(data, size, &section, kFuzzSectionLimit) != trotix::DibStatus::kOk) {
    return 0;
  }
  std::free(trotix::TakeSectionAsRgb(&section));
  return 0;
}
