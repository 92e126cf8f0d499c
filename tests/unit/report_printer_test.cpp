#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/PrinterLayout.h"
#include "report/Report.h"

namespace {

// Every character 10 units wide and 20 high; the font's own height is 18.
// A page of 100 by 200 units holds 10 characters a line.
struct FakeSurface : PrinterSurface {
  struct Drawn {
    int page, x, y;
    std::string text;
  };
  int pageWidth = 100, pageHeight = 200;
  int page = 0;
  std::vector<Drawn> drawn;

  PrintExtent Measure(const char*, size_t length) override {
    return {static_cast<int>(length) * 10, length ? 20 : 0};
  }
  int CharHeight() override { return 18; }
  int AverageCharWidth() override { return 10; }
  int PageWidth() override { return pageWidth; }
  int PageHeight() override { return pageHeight; }
  void Draw(int x, int y, const char* text, size_t length) override {
    drawn.push_back({page, x, y, std::string(text, length)});
  }
  void NewPage() override { ++page; }
};

}  // namespace

TEST(ReportPrinterLayout, RunsLinesAndCarriageReturns) {
  FakeSurface s;
  PrinterTextLayout layout(s);
  layout.Write("ab\rcd\r\nef");
  ASSERT_EQ(s.drawn.size(), 3u);
  // CR ends the run but does not move: "cd" follows "ab" on the same line.
  EXPECT_EQ(s.drawn[1].x, 20);
  EXPECT_EQ(s.drawn[1].y, 0);
  EXPECT_EQ(s.drawn[1].text, "cd");
  // A line with text is as high as its text plus 2.
  EXPECT_EQ(s.drawn[2].x, 0);
  EXPECT_EQ(s.drawn[2].y, 22);
  // An empty line counts the font's height.
  layout.Write("\n\ngh");
  EXPECT_EQ(s.drawn.back().y, 22 + 22 + 18);
}

TEST(ReportPrinterLayout, LongRunsAreCutAtTheLastFittingCharacter) {
  FakeSurface s;
  PrinterTextLayout layout(s);
  layout.Write("1234");
  layout.Write("abcdefghijklmnopq");
  ASSERT_EQ(s.drawn.size(), 4u);
  EXPECT_EQ(s.drawn[1].text, "abcdef");  // fills the 6 places left
  EXPECT_EQ(s.drawn[1].x, 40);
  EXPECT_EQ(s.drawn[2].text, "ghijklmnop");
  EXPECT_EQ(s.drawn[2].x, 0);
  EXPECT_EQ(s.drawn[2].y, 22);
  EXPECT_EQ(s.drawn[3].text, "q");
  EXPECT_EQ(s.drawn[3].y, 44);
  EXPECT_EQ(layout.X(), 10);

  // A run that exactly fills the line stays on it.
  FakeSurface t;
  PrinterTextLayout exact(t);
  exact.Write("0123456789");
  EXPECT_EQ(exact.X(), 100);
  EXPECT_EQ(t.drawn.size(), 1u);

  // A character wider than the whole page is still printed, one per line.
  FakeSurface narrow;
  narrow.pageWidth = 5;
  narrow.pageHeight = 10000;
  PrinterTextLayout tiny(narrow);
  tiny.Write("xyz");
  ASSERT_EQ(narrow.drawn.size(), 3u);
  EXPECT_EQ(narrow.drawn[2].y, 44);
}

TEST(ReportPrinterLayout, TabsMoveToStopsAndWrapAtThePageEdge) {
  FakeSurface s;
  s.pageWidth = 200;
  PrinterTextLayout layout(s);
  layout.Write("\t");
  EXPECT_EQ(layout.X(), 80);  // the first multiple of 80 greater than 0 + 1
  layout.Write("a\t");        // 90 + 1 -> 160
  EXPECT_EQ(layout.X(), 160);
  layout.Write("\t");  // 240 lies beyond the page: a new line
  EXPECT_EQ(layout.X(), 0);
  EXPECT_EQ(layout.Y(), 22);

  FakeSurface edge;
  edge.pageWidth = 160;
  PrinterTextLayout at(edge);
  at.Write("a\t\t");  // 80, then 160 is still on the page
  EXPECT_EQ(at.X(), 160);
  EXPECT_EQ(at.Y(), 0);
}

TEST(ReportPrinterLayout, PageBreaks) {
  // Text lines of 22: the new top must stay within 200 - 44 = 156.
  FakeSurface s;
  PrinterTextLayout layout(s);
  for (int i = 0; i < 8; ++i) layout.Write("line\r\n");
  // Tops 0, 22, ..., 154 fit; after the 8th line 176 > 156 starts page 2.
  EXPECT_EQ(s.page, 1);
  EXPECT_EQ(s.drawn[7].y, 154);
  EXPECT_EQ(layout.Y(), 0);
  layout.Write("next");
  EXPECT_EQ(s.drawn.back().page, 1);
  EXPECT_EQ(s.drawn.back().y, 0);

  // Empty lines may run to the page height itself.
  FakeSurface e;
  PrinterTextLayout empty(e);
  for (int i = 0; i < 11; ++i) empty.Write("\n");
  EXPECT_EQ(e.page, 0);  // 11 * 18 = 198
  empty.Write("\n");     // 216 > 200
  EXPECT_EQ(e.page, 1);

  // A form feed starts a new page at the top-left corner.
  FakeSurface f;
  PrinterTextLayout feed(f);
  feed.Write("ab\fcd");
  EXPECT_EQ(f.page, 1);
  EXPECT_EQ(f.drawn[1].x, 0);
  EXPECT_EQ(f.drawn[1].y, 0);
}

TEST(ReportPrinterLayout, ReportSinkKeepsConstantLinesWholeWhenTheyFit) {
  FakeSurface s;
  s.pageWidth = 900;  // 90 characters: the report's 89-character line fits
  s.pageHeight = 100000;
  PrinterTextLayout layout(s);
  PrinterReportSink sink(layout);
  sink.Write(std::string(89, 'c'));
  sink.LineEnd();
  sink.Write(std::string(95, 'd'));
  sink.LineEnd();
  ASSERT_EQ(s.drawn.size(), 3u);
  EXPECT_EQ(s.drawn[0].text.size(), 89u);
  EXPECT_EQ(s.drawn[1].text.size(), 90u);
  EXPECT_EQ(s.drawn[2].text, "ddddd");
  EXPECT_EQ(s.drawn[2].y, 44);
}
