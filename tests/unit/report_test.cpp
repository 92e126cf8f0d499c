#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "inspect/StyleTables.h"
#include "platform/Utf8.h"
#include "report/JsonReport.h"
#include "report/Report.h"
#include "report/SaveAndPrint.h"
#include "tests/common/ReportLines.h"

namespace {

// The memo as the ANSI report lays it out: the pages' UTF-8 in the code page.
std::string UpperMemo(uint32_t style, uint32_t exStyle) {
  DisplayOptions upper;
  upper.constsCase = 1;
  return Utf8ToLatin1(StyleMemoText(style, exStyle, upper));
}

std::string Dir(const char* file) {
  std::string f = file;
  return f.substr(0, f.find_last_of('/') + 1);
}

}  // namespace

TEST(ReportPadField, CutsOrFillsToTheWidth) {
  EXPECT_EQ(PadField(std::string(60, 'a'), ' ', 60), std::string(60, 'a'));
  EXPECT_EQ(PadField(std::string(61, 'a'), ' ', 60), std::string(57, 'a') + "...");
  EXPECT_EQ(PadField("", ' ', 60), std::string(60, ' '));
  EXPECT_EQ(PadField("*** Modules ", '*', 80), "*** Modules " + std::string(68, '*'));
  // Line breaks inside a value count as bytes and pass through.
  EXPECT_EQ(PadField("a\r\nb", ' ', 6), "a\r\nb  ");
  EXPECT_EQ(PadField("\xA0x", '-', 3), "\xA0x-");
  // Degenerate widths keep the width rather than reading out of range.
  EXPECT_EQ(PadField("abcdef", ' ', 2), "..");
  EXPECT_EQ(PadField("abc", ' ', 0), "");
}

TEST(ReportWrapAtBars, MainWindowStyleGivesTwoBrokenLinesAndALongLast) {
  const std::string memo = UpperMemo(0x16CF0000, 0x00040100);
  std::vector<std::string> lines = ReportLines(WrapAtBars(memo, 80));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 76u);
  EXPECT_EQ(lines[1].size(), 76u);
  EXPECT_EQ(lines[2].size(), 89u);  // the count restarts at the scan position
  EXPECT_EQ(lines[0].substr(lines[0].size() - 11), "WS_BORDER\xA0|");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 16), "WS_MAXIMIZEBOX\xA0|");
  EXPECT_EQ(lines[2].rfind("WS_EX_WINDOWEDGE", 0), 0u);
  EXPECT_EQ(lines[2].substr(lines[2].size() - 15), "WS_EX_APPWINDOW");
  // Only the blanks after the bars became line ends; nothing else moved.
  std::string rejoined = lines[0] + " " + lines[1] + " " + lines[2];
  EXPECT_EQ(rejoined, memo);
}

TEST(ReportWrapAtBars, ChildTabStopAndShortOrBarlessTexts) {
  std::vector<std::string> lines = ReportLines(WrapAtBars(UpperMemo(0x50010000, 0), 80));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 65u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 12), "WS_EX_LEFT\xA0|");
  EXPECT_EQ(lines[1], "WS_EX_LTRREADING\xA0| WS_EX_RIGHTSCROLLBAR");

  EXPECT_EQ(WrapAtBars("", 80), "");
  EXPECT_EQ(WrapAtBars("cs_vredraw\xA0| cs_hredraw", 80), "cs_vredraw\xA0| cs_hredraw");
  // A long text without bars has nowhere to break and is left whole; its first
  // character is not overwritten.
  const std::string plain(200, 'x');
  EXPECT_EQ(WrapAtBars(plain, 80), plain);
  // A bar-less stretch after a break waits for the next bar instead of
  // writing a second line end at the old one.
  const std::string mixed = std::string(70, 'a') + "| " + std::string(100, 'b') + "| c";
  std::vector<std::string> parts = ReportLines(WrapAtBars(mixed, 80));
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0], std::string(70, 'a') + "|");
  EXPECT_EQ(parts[1], std::string(100, 'b') + "|");
  EXPECT_EQ(parts[2], "c");
}

TEST(ReportSections, WindowSectionRowsAndEnding) {
  ReportInput in;
  in.window.textLabel = "Resource ID";
  in.window.text = "";
  in.window.handle = "00010052";
  in.window.styleMemo = UpperMemo(0x16CF0000, 0x00040100);
  std::vector<std::string> lines = ReportLines(WindowInfoSection(in));
  ASSERT_EQ(lines.size(), 2u + 14 + 3 + 2);
  EXPECT_EQ(lines[0], "*** Window Information " + std::string(57, '*'));
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], PadField("Resource ID", ' ', 20) + std::string(60, ' '));
  EXPECT_EQ(lines[5], PadField("Handle", ' ', 20) + PadField("00010052", ' ', 60));
  EXPECT_EQ(lines[15].substr(0, 20), PadField("Extended style", ' ', 20));
  for (int i = 2; i < 16; ++i) EXPECT_EQ(lines[i].size(), 80u) << i;
  EXPECT_EQ(lines[18].size(), 89u);
  EXPECT_EQ(lines[19], "");
  EXPECT_EQ(lines[20], "");

  // A 64-bit Tarvisk's addresses: 16 hex digits fit, 64 binary ones are cut to
  // the value column, and the rows stay 80 columns wide.
  in.window.instance = "0000000140000000";
  in.window.function = std::string(64, '1');
  lines = ReportLines(WindowInfoSection(in));
  EXPECT_EQ(lines[4], PadField("App instance", ' ', 20) + PadField("0000000140000000", ' ', 60));
  EXPECT_EQ(lines[8], PadField("Function", ' ', 20) + std::string(57, '1') + "...");
  for (int i = 2; i < 16; ++i) EXPECT_EQ(lines[i].size(), 80u) << i;

  // An empty class constant list still leaves its (empty) line.
  ReportInput none;
  std::string cls = ClassInfoSection(none);
  EXPECT_EQ(cls.substr(cls.size() - 6), "\r\n\r\n\r\n");
  EXPECT_NE(cls.find("Bkg brush           "), std::string::npos);
}

TEST(ReportSections, WindowListWidthsFollowTheIntegerFormat) {
  std::vector<ReportListRow> rows;
  WindowListWidths hex = WindowListColumnWidths(rows, kFormatHexadecimal);
  EXPECT_EQ(hex.handle, 10);
  EXPECT_EQ(hex.className, 31);
  EXPECT_EQ(hex.text, 32);
  WindowListWidths bin = WindowListColumnWidths(rows, kFormatBinary);
  EXPECT_EQ(bin.handle, 34);
  EXPECT_EQ(bin.className, 19);
  EXPECT_EQ(bin.text, 20);
  EXPECT_EQ(WindowListColumnWidths(rows, -1).handle, 34);  // no format selected
  WindowListWidths dec = WindowListColumnWidths(rows, kFormatDecimal);
  EXPECT_EQ(dec.handle, 8);
  EXPECT_EQ(dec.className, 32);
  EXPECT_EQ(dec.text, 33);
  rows.push_back({"1", "65618", "Edit", ""});
  EXPECT_EQ(WindowListColumnWidths(rows, kFormatDecimal).handle, 8);  // at least 6
  rows.push_back({"2", "-2147483648", "Edit", ""});
  dec = WindowListColumnWidths(rows, kFormatDecimal);
  EXPECT_EQ(dec.handle, 13);
  EXPECT_EQ(dec.className, 30);
  EXPECT_EQ(dec.text, 30);
}

TEST(ReportSections, EmptyAndFilledWindowLists) {
  EXPECT_EQ(WindowListSection({}, "Parents", kFormatHexadecimal),
            "*** Parents " + std::string(68, '*') + "\r\n\r\n" +
                "#    Handle    Class name" + std::string(21, ' ') + "  Text" +
                std::string(28, ' ') + "\r\n\r\n\r\n");

  const std::string handle(32, '1');
  std::vector<ReportListRow> rows = {
      {"1", handle, "A class name longer than nineteen", std::string(30, 't')}};
  std::vector<std::string> lines = ReportLines(WindowListSection(rows, "Digger", kFormatBinary));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[2].substr(0, 5 + 34), "#    Handle" + std::string(28, ' '));
  EXPECT_EQ(lines[4], "1    " + handle + "  " + "A class name lon..." + "  " +
                          std::string(17, 't') + "...");
  EXPECT_EQ(lines[4].size(), 80u);
  EXPECT_EQ(lines[5], "");
}

TEST(ReportSections, ModulesSection) {
  std::vector<std::string> lines =
      ReportLines(ModulesSection({ReportModuleRow{"ntdll.dll", "C:\\windows\\system32\\ntdll.dll"}}));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "*** Modules " + std::string(68, '*'));
  EXPECT_EQ(lines[2], PadField("File", ' ', 20) + PadField("Path", ' ', 60));
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], PadField("ntdll.dll", ' ', 20) +
                          PadField("C:\\windows\\system32\\ntdll.dll", ' ', 60));
}

namespace {

ReportInput FixtureInput() {
  ReportInput in;
  WindowPageTexts& w = in.window;
  w.text = "Untitled - Notepad";
  w.process = "00000020";
  w.instance = "00400000";
  w.handle = "00010052";
  w.parent = "00000000";
  w.controlId = "00000000";
  w.function = "7EC41D30";
  w.menu = "0001004E";
  w.parentCoords = w.screenCoords = "(10, 20)-(650, 500), 640x480";
  w.windowSize = "640x480";
  w.clientSize = "632x426";
  w.style = "16CF0000";
  w.exStyle = "00040100";
  w.styleMemo = UpperMemo(0x16CF0000, 0x00040100);
  ClassPageTexts& c = in.windowClass;
  c.name = "Notepad";
  c.function = "7EC41D30";
  c.icon = "00010034";
  c.smallIcon = "00000000";
  c.cursor = "00010012";
  c.brush = "00000006";
  c.moduleHandle = "00400000";
  c.style = "00000003";
  c.styleMemo = "CS_VREDRAW\xA0| CS_HREDRAW";
  in.children = {{"1", "00010054", "Edit", ""},
                 {"2", "00010056", "msctls_statusbar32",
                  "Ready and waiting for a very long time, longer than the column"}};
  in.digger = {{"1", "00010054", "Edit", ""},
               {"2", "00010052", "A class name that is much longer than thirty-one characters",
                "Untitled - Notepad"}};
  ExecutablePageTexts& e = in.executable;
  e.exePath = "C:\\windows\\system32\\notepad.exe";
  e.exeName = "notepad.exe";
  e.originalFilename = "NOTEPAD.EXE";
  e.fileDescription = "Wine Notepad, a plain text editor that has a rather long description here";
  e.fileVersion = e.productVersion = "8.0";
  e.productName = "Wine";
  e.internalName = "notepad";
  e.companyName = "Wine project";
  in.modules = {{"notepad.exe", "C:\\windows\\system32\\notepad.exe"},
                {"ntdll.dll", "C:\\windows\\system32\\ntdll.dll"},
                {"averyveryverylongmodulename.dll",
                 "C:\\some\\folder\\that\\is\\deep\\enough\\to\\need\\more\\than\\sixty\\characters.dll"}};
  in.graphic = {"(100, 200)", "(90, 180)", "(86, 150)", "FFFFFF"};
  return in;
}

}  // namespace

TEST(ReportWhole, MatchesTheExpectedFileByteForByte) {
  std::ifstream file(Dir(__FILE__) + "report_expected.txt", std::ios::binary);
  ASSERT_TRUE(file.good());
  const std::string expected((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  const std::string report = ReportText(FixtureInput());
  EXPECT_EQ(report, expected);
  // Every line end is CR LF; no lone LF slipped in.
  for (size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\n') {
      ASSERT_TRUE(i > 0 && report[i - 1] == '\r') << i;
    }
  }
}

TEST(ReportWhole, SinkGetsEachSectionThenALineEnd) {
  struct CountingSink : ReportSink {
    std::vector<std::string> pieces;
    void Write(const std::string& t) override { pieces.push_back(t); }
    void LineEnd() override { pieces.push_back("<EOL>"); }
  } sink;
  ReportInput in;
  in.title = "Tarvisk";
  WriteReport(in, sink);
  ASSERT_EQ(sink.pieces.size(), 8u * 2 + 6);
  for (size_t i = 1; i < 16; i += 2) EXPECT_EQ(sink.pieces[i], "<EOL>");
  EXPECT_EQ(sink.pieces[0].substr(0, 23), "*** Window Information ");
  EXPECT_EQ(sink.pieces[14].substr(0, 24), "*** Graphic Information ");
  EXPECT_EQ(sink.pieces[16], std::string(80, '*') + "\r\n");
  EXPECT_EQ(sink.pieces[18], " Norvane Tarvisk" + std::string(kReportCopyright));
  EXPECT_EQ(sink.pieces[20], std::string(" ") + kReportWebAddress);
}

TEST(ReportSaveTexts, ProposedNameAndOverwriteQuestion) {
  EXPECT_EQ(ProposedReportFileName("", "Tarvisk"), "Tarvisk.txt");
  EXPECT_EQ(ProposedReportFileName("C:\\a\\b.txt", "Tarvisk"), "C:\\a\\b.txt");
  EXPECT_EQ(OverwriteQuestion("C:\\r.txt"), "File \"C:\\r.txt\" already exists.\rOverwrite?");
}

namespace {

// Привет мир, and a character outside the basic plane.
const std::string kRussian = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80";
const std::string kEmoji = "Hi \xF0\x9F\x98\x80!";

}  // namespace

TEST(ReportUtf8, ColumnsCountCharactersAndTheAnsiFormKeepsItsBytes) {
  ReportInput in;
  in.window.text = kRussian;
  in.window.styleMemo = StyleMemoText(0x16CF0000, 0x00040100, DisplayOptions{});
  in.children.push_back({"001", "$00010000", "\xE6\x97\xA5\xE6\x9C\xAC" "Class", kRussian + " " + kRussian});
  in.utf8 = true;
  const std::vector<std::string> utf8 = ReportLines(ReportText(in));

  in.utf8 = false;
  const std::vector<std::string> ansi = ReportLines(ReportText(ConvertReportTexts(in, Utf8ToLatin1)));
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
