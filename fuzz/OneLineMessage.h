// What every refusal of hostile input must be: one line of printable text.
#ifndef TROTIX_FUZZ_ONELINEMESSAGE_H_
#define TROTIX_FUZZ_ONELINEMESSAGE_H_

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace trotix {

// Aborts, so that the fuzzer keeps the input, if `message` is empty or holds
// a byte that is not printable ASCII.
inline void CheckOneLineMessage(std::string_view message) {
  bool clean = !message.empty();
  for (const char c : message) clean = clean && c >= 0x20 && c < 0x7f;
  if (clean) return;
  std::fprintf(stderr, "not a one-line message: %.*s\n", static_cast<int>(message.size()),
               message.data());
  std::abort();
}

}  // namespace trotix

#endif  // TROTIX_FUZZ_ONELINEMESSAGE_H_
