// Feeds arbitrary text to the gait file reader. A refusal must be a one-line
// message; an accepted file, printed again, must read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/OneLineMessage.h"
#include "tools/GaitFile.h"
#include "tools/InputError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > trotix::kMaxGaitFileBytes) return 0;  // refused before it is parsed
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string printed;
  try {
    printed = trotix::GaitFileText(trotix::ParseGaitFile(text, "fuzz.yaml"));
  } catch (const trotix::InputError& error) {
    trotix::CheckOneLineMessage(error.what());
    return 0;
  }
  try {
    if (trotix::GaitFileText(trotix::ParseGaitFile(printed, "printed.yaml")) == printed) return 0;
    std::fprintf(stderr, "the printed gait reads back differently:\n%s", printed.c_str());
  } catch (const trotix::InputError& error) {
    std::fprintf(stderr, "the printed gait is refused: %s\n%s", error.what(), printed.c_str());
  }
  std::abort();
}
