// Feeds arbitrary text to the gait file reader, with the sections trotix-gait
// registers. A refusal must be a one-line message; an accepted file, printed
// again, must read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/OneLineMessage.h"
#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsSection.h"

namespace {

// The file as trotix-gait --print-gait writes what it read.
std::string ReadAndPrint(std::string_view text, const std::string& name) {
  trotix::PhysicsParameters physics;
  const trotix::GaitSettings gait =
      trotix::ParseGaitFile(text, name, {trotix::PhysicsSection(physics)});
  return trotix::GaitFileText(gait, trotix::PhysicsSectionText(physics, gait.robot));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > trotix::kMaxGaitFileBytes) return 0;  // refused before it is parsed
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string printed;
  try {
    printed = ReadAndPrint(text, "fuzz.yaml");
  } catch (const trotix::InputError& error) {
    trotix::CheckOneLineMessage(error.what());
    return 0;
  }
  try {
    if (ReadAndPrint(printed, "printed.yaml") == printed) return 0;
    std::fprintf(stderr, "the printed gait reads back differently:\n%s", printed.c_str());
  } catch (const trotix::InputError& error) {
    std::fprintf(stderr, "the printed gait is refused: %s\n%s", error.what(), printed.c_str());
  }
  std::abort();
}
