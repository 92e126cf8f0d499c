// Faults the fuzz targets (tests/fuzz) found in the portable code, kept as
// plain unit tests so that the ordinary test run guards them too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/PrinterLayout.h"
#include "report/Report.h"

namespace {

// A fixed-pitch font: every character `width` wide and `textHeight` high.
struct PageSurface : PrinterSurface {
  struct Drawn {
    int page, x, y;
    std::string text;
  };
  int width = 10, textHeight = 20, charHeight = 18, pageWidth = 100, pageHeight = 200;
  int page = 0;
  std::vector<Drawn> drawn;

  PrintExtent Measure(const char*, size_t length) override {
    return {static_cast<int>(length) * width, length ? textHeight : 0};
  }
  int CharHeight() override { return charHeight; }
  int AverageCharWidth() override { return width; }
  int PageWidth() override { return pageWidth; }
  int PageHeight() override { return pageHeight; }
  void Draw(int x, int y, const char* text, size_t length) override {
    drawn.push_back({page, x, y, std::string(text, length)});
  }
  void NewPage() override { ++page; }
};

}  // namespace

TEST(FuzzRegressions, TextAfterEmptyLinesAtThePageBottomGoesToTheNextPage) {
  // Text lines of 22 stop at 154; two empty lines of 18 may still advance to
  // 190, where a line of text 20 high would end below the page's 200.
  PageSurface s;
  PrinterTextLayout layout(s);
  for (int i = 0; i < 7; ++i) layout.Write("line\r\n");
  layout.Write("\r\n\r\n");
  EXPECT_EQ(layout.Y(), 190);
  EXPECT_EQ(s.page, 0);
  layout.Write("title");
  ASSERT_EQ(s.drawn.size(), 8u);
  EXPECT_EQ(s.drawn[6].y, 132);
  EXPECT_EQ(s.drawn[7].page, 1);
  EXPECT_EQ(s.drawn[7].x, 0);
  EXPECT_EQ(s.drawn[7].y, 0);
  EXPECT_EQ(s.drawn[7].text, "title");

  // Empty lines reach 11 * 18 = 198; text 20 high fits there only on a page
  // of at least 218.
  PageSurface low;
  low.pageHeight = 210;
  PrinterTextLayout past(low);
  past.Write("\n\n\n\n\n\n\n\n\n\n\nx");
  EXPECT_EQ(low.page, 1);
  PageSurface edge;
  edge.pageHeight = 218;
  PrinterTextLayout atEdge(edge);
  atEdge.Write("\n\n\n\n\n\n\n\n\n\n\nx");  // 198 + 20 = 218: on the page
  EXPECT_EQ(edge.page, 0);
  ASSERT_EQ(edge.drawn.size(), 1u);
  EXPECT_EQ(edge.drawn[0].y, 198);
  // Text taller than the whole page still prints at the top of one.
  PageSurface tall;
  tall.textHeight = 500;
  PrinterTextLayout big(tall);
  big.Write("ab\nc");
  ASSERT_EQ(tall.drawn.size(), 2u);
  EXPECT_EQ(tall.drawn[1].page, 1);
  EXPECT_EQ(tall.drawn[1].y, 0);
}

TEST(FuzzRegressions, PrintedReportKeepsEveryLineOnItsPage) {
  // Courier 10 point bold at 600 dpi on a letter page: the section titles
  // follow two empty lines, the case where text fell off the bottom edge.
  ReportInput in;
  in.window.text = "Untitled - Notepad";
  in.window.styleMemo = std::string(70, 'a') + "\xA0| " + std::string(30, 'b');
  in.parents.resize(3);
  in.modules.resize(40);
  std::string expected;
  for (char c : ReportText(in))
    if (c != '\r' && c != '\n') expected += c;
  // About one page height in twenty put a title on the bottom edge.
  int overflowing = 0;
  for (int height = 5000; height < 7000; ++height) {
    PageSurface s;
    s.width = 60;
    s.textHeight = s.charHeight = 83;
    s.pageWidth = 4800;
    s.pageHeight = height;
    PrinterTextLayout layout(s);
    PrinterReportSink sink(layout);
    WriteReport(in, sink);
    std::string printed;
    for (const PageSurface::Drawn& d : s.drawn) {
      overflowing += d.y + s.textHeight > height;
      printed += d.text;
    }
    ASSERT_EQ(printed, expected) << height;
  }
  EXPECT_EQ(overflowing, 0);
}
