#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/StyleTables.h"
#include "platform/Utf8.h"
#include "report/JsonReport.h"

namespace {

const std::string kRussian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80";  // Привет мир
const std::string kEmoji = "Hi \xF0\x9F\x98\x80!";  // a character outside the basic plane

}  // namespace

TEST(Utf8, RoundTripsEveryPlaneAndCountsCharacters) {
  const std::u16string wide = Utf8ToUtf16(kRussian + kEmoji);
  EXPECT_EQ(wide.size(), 10u + 6u);  // the emoji is a surrogate pair
  EXPECT_EQ(wide[0], u'\u041F');
  EXPECT_EQ(wide[13], 0xD83D);
  EXPECT_EQ(wide[14], 0xDE00);
  EXPECT_EQ(Utf16ToUtf8(wide), kRussian + kEmoji);
  EXPECT_EQ(Utf8Length(kRussian), 10u);
  EXPECT_EQ(Utf8Length(kEmoji), 5u);
  EXPECT_EQ(Utf8Length(StyleSeparator), 3u);
  EXPECT_EQ(Utf8Prefix(kEmoji, 4), "Hi \xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8Prefix(kRussian, 100), kRussian);
  // A byte budget never ends inside a character.
  EXPECT_EQ(Utf8FitBytes(kEmoji, 5), 3u);
  EXPECT_EQ(Utf8FitBytes(kEmoji, 7), 7u);
  EXPECT_EQ(Utf8FitBytes(kRussian, 3), 2u);
}

TEST(Utf8, BrokenInputBecomesReplacementCharacters) {
  // A lone ANSI byte, a cut sequence, an overlong form and an encoded surrogate.
  for (const std::string& bad : {std::string("caf\xE9"), std::string("\xD0"), std::string("\xC0\xAF"),
                                 std::string("\xED\xA0\x80")}) {
    const std::u16string wide = Utf8ToUtf16(bad);
    ASSERT_FALSE(wide.empty()) << bad;
    EXPECT_EQ(wide.back(), 0xFFFD) << bad;
  }
  EXPECT_EQ(Utf8ToUtf16("caf\xE9x"), u"caf\uFFFDx");  // the next character is not swallowed
  const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00};
  EXPECT_EQ(Utf16ToUtf8(lone, 4), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToLatin1(kRussian + " caf\xC3\xA9"), "?????? ??? caf\xE9");
}
