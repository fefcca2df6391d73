// Wide names to UTF-8 and the open failure text.
#include "view/FileNameText.h"

#include <gtest/gtest.h>

namespace trotix {
namespace {

TEST(WideToUtf8, ReplacesWhatIsNoCharacter) {
  const wchar_t lone[] = {L'a', static_cast<wchar_t>(0xD800), L'b', 0};
  EXPECT_EQ(WideToUtf8(lone),
            "a\xEF\xBF\xBD"
            "b");
  if (sizeof(wchar_t) == 4) {
    const wchar_t beyond[] = {static_cast<wchar_t>(0x110000), 0};
    EXPECT_EQ(WideToUtf8(beyond), "\xEF\xBF\xBD");
  }
}

TEST(FailedToOpenDibText, NeverCutsInsideACharacter) {
  const std::string euro = "\xE2\x82\xAC";
  std::string name;
  for (int i = 0; i < 100; ++i) name += euro;
  for (std::string prefix : {"", "a", "ab"}) {
    const std::string text = FailedToOpenDibText(prefix + name);
    EXPECT_LE(text.size(), kMaxMessageLength);
    EXPECT_GE(text.size(), kMaxMessageLength - 2);
    const std::string shown = text.substr(24 + prefix.size(), text.size() - 26 - prefix.size());
    EXPECT_EQ(shown.size() % 3, 0u) << prefix;
    EXPECT_EQ(shown, name.substr(0, shown.size()));
  }
}

}  // namespace
}  // namespace trotix
