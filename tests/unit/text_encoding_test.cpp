#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "inspect/StyleTables.h"
#include "platform/Utf8.h"
#include "report/JsonReport.h"
#include "report/Report.h"

namespace {

const std::string kRussian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80";  // Привет мир
const std::string kEmoji = "Hi \xF0\x9F\x98\x80!";  // a character outside the basic plane

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

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

TEST(ReportUtf8, ColumnsCountCharactersAndTheAnsiFormKeepsItsBytes) {
  ReportInput in;
  in.window.text = kRussian;
  in.window.styleMemo = StyleMemoText(0x16CF0000, 0x00040100, DisplayOptions{});
  in.children.push_back({"001", "$00010000", "\xE6\x97\xA5\xE6\x9C\xAC" "Class", kRussian + " " + kRussian});
  in.utf8 = true;
  const std::vector<std::string> utf8 = Lines(ReportText(in));

  in.utf8 = false;
  const std::vector<std::string> ansi = Lines(ReportText(ConvertReportTexts(in, Utf8ToLatin1)));
  ASSERT_EQ(utf8.size(), ansi.size());
  size_t differing = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    // Every line is as wide in characters as the ANSI one is in bytes.
    EXPECT_EQ(Utf8Length(utf8[i]), ansi[i].size()) << i;
    if (utf8[i] == ansi[i]) continue;
    ++differing;
    EXPECT_EQ(Utf8ToLatin1(utf8[i]), ansi[i]) << i;
  }
  // The text row, the child row and the memo lines with their no-break spaces.
  EXPECT_EQ(differing, 5u);
  EXPECT_EQ(ansi[2], "Text                ?????? ???" + std::string(50, ' '));
  EXPECT_NE(std::find(utf8.begin(), utf8.end(), "Text                " + kRussian + std::string(50, ' ')), utf8.end());
  // A text longer than its column is cut at a character, not inside one.
  EXPECT_EQ(Utf8Length(PadField(kEmoji, ' ', 10, true)), 10u);
  const std::string cut = PadField(std::string(20, 'x') + kEmoji, ' ', 24, true);
  EXPECT_EQ(cut, std::string(20, 'x') + "H...");
  EXPECT_EQ(PadField(kRussian + kRussian, ' ', 12, true), Utf8Prefix(kRussian + kRussian, 9) + "...");
}
