// Decoding 1024 x 1024 pictures from memory. Rates are bytes of 24-bit output
// per second; BM_MemcpyBaseline copies the same number of bytes, so compare
// against it from the same run.
#include <cstdlib>
#include <cstring>

#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "bitmap/DibDecoder.h"

namespace trotix {
namespace {

constexpr std::size_t kOutputBytes = std::size_t{kBenchSide} * kBenchSide * 3;

void BM_MemcpyBaseline(benchmark::State& state) {
  FileBytes source(kOutputBytes, 1), target(kOutputBytes);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), kOutputBytes);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOutputBytes));
}

// Bytes of the file into the padded blue, green, red section.
void DecodeToSection(benchmark::State& state, const FileBytes& file) {
  for (auto _ : state) {
    DibSection section;
    if (DecodeDib(file.data(), file.size(), &section) != DibStatus::kOk) {
      state.SkipWithError("picture refused");
      break;
    }
    benchmark::DoNotOptimize(section.bits.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOutputBytes));
}

// All the loader does after mapping the file: decode, then turn the section
// into red, green, blue rows without gaps.
void DecodeToRgb(benchmark::State& state, const FileBytes& file) {
  for (auto _ : state) {
    DibSection section;
    if (DecodeDib(file.data(), file.size(), &section) != DibStatus::kOk) {
      state.SkipWithError("picture refused");
      break;
    }
    unsigned char* rgb = TakeSectionAsRgb(&section);
    benchmark::DoNotOptimize(rgb);
    std::free(rgb);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOutputBytes));
}

const FileBytes& Picture24() {
  static const FileBytes file = Make24BitPicture();
  return file;
}
const FileBytes& Picture8() {
  static const FileBytes file = Make8BitPicture();
  return file;
}
const FileBytes& PictureRle8() {
  static const FileBytes file = MakeRle8Picture();
  return file;
}

void BM_Decode24(benchmark::State& state) { DecodeToSection(state, Picture24()); }
void BM_Decode8(benchmark::State& state) { DecodeToSection(state, Picture8()); }
void BM_DecodeRle8(benchmark::State& state) { DecodeToSection(state, PictureRle8()); }
void BM_DecodeToRgb24(benchmark::State& state) { DecodeToRgb(state, Picture24()); }
void BM_DecodeToRgb8(benchmark::State& state) { DecodeToRgb(state, Picture8()); }
void BM_DecodeToRgbRle8(benchmark::State& state) { DecodeToRgb(state, PictureRle8()); }

BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decode24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decode8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeRle8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeToRgb24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeToRgb8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeToRgbRle8)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trotix
