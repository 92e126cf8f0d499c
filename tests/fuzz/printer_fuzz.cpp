// The printer's text device over surfaces of random page sizes and character
// metrics: every character but the controls is drawn exactly once and in order,
// nothing is drawn outside the printable area (except a character wider or
// taller than the whole page, which has to go somewhere), text never overprints
// text on its page, and the work done is bounded by the length of the text.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "report/PrinterLayout.h"

namespace {

struct Drawn {
  int page, x, y, cx, cy;
  std::string text;
};

// Widths and heights per byte value; a run's extent is the sum of the widths and
// the largest height, as a font's text extent is.
struct FuzzSurface : PrinterSurface {
  std::array<int, 256> width{}, height{};
  int charHeight = 1, averageWidth = 1, pageWidth = 1, pageHeight = 1;
  int page = 0;
  long measures = 0;
  std::vector<Drawn> drawn;

  PrintExtent Measure(const char* text, size_t length) override {
    ++measures;
    PrintExtent e;
    for (size_t i = 0; i < length; ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      e.cx += width[c];
      e.cy = std::max(e.cy, height[c]);
    }
    return e;
  }
  int CharHeight() override { return charHeight; }
  int AverageCharWidth() override { return averageWidth; }
  int PageWidth() override { return pageWidth; }
  int PageHeight() override { return pageHeight; }
  void Draw(int x, int y, const char* text, size_t length) override {
    const PrintExtent e = Measure(text, length);
    --measures;
    drawn.push_back({page, x, y, e.cx, e.cy, std::string(text, length)});
  }
  void NewPage() override { ++page; }
};

bool IsControl(char c) { return c == '\n' || c == '\r' || c == '\f' || c == '\t'; }

std::string Where(const Drawn& d) {
  return "'" + Shown(d.text) + "' on page " + std::to_string(d.page) + " at " +
         std::to_string(d.x) + "," + std::to_string(d.y) + " extent " + std::to_string(d.cx) +
         "x" + std::to_string(d.cy);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  FuzzSurface s;
  s.pageWidth = in.ConsumeIntegralInRange<int>(1, 400);
  s.pageHeight = in.ConsumeIntegralInRange<int>(1, 600);
  s.charHeight = in.ConsumeIntegralInRange<int>(1, 60);
  s.averageWidth = in.ConsumeIntegralInRange<int>(0, 40);
  // A few base metrics varied per byte value: fixed pitch, proportional,
  // zero-width and oversized characters all come out of this.
  const int baseWidth = in.ConsumeIntegralInRange<int>(0, 30);
  const int baseHeight = in.ConsumeIntegralInRange<int>(0, 40);
  std::array<uint8_t, 16> vary{};
  for (uint8_t& v : vary) v = in.ConsumeIntegral<uint8_t>();
  for (int c = 0; c < 256; ++c) {
    s.width[c] = baseWidth + (vary[c % 16] & 0x0F) * (vary[(c / 16) % 16] >> 6);
    s.height[c] = baseHeight + ((vary[(c + 5) % 16] >> 4) & 0x07);
  }

  PrinterTextLayout layout(s);
  PrinterReportSink sink(layout);
  std::string written;
  long writes = 0;
  while (in.remaining_bytes() > 0 && written.size() < 8192) {
    ++writes;
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) {
      sink.LineEnd();
      written += "\r\n";
    } else {
      const std::string chunk = in.ConsumeRandomLengthString(600);
      sink.Write(chunk);
      written += chunk;
    }
    FUZZ_CHECK(layout.X() >= 0 && layout.Y() >= 0 && layout.Y() <= s.pageHeight,
               "position " + std::to_string(layout.X()) + "," + std::to_string(layout.Y()));
  }

  std::string expected;
  size_t controls = 0;
  for (char c : written) {
    if (IsControl(c)) ++controls;
    else expected += c;
  }
  std::string printed;
  for (const Drawn& d : s.drawn) printed += d.text;
  FUZZ_CHECK(printed == expected, "printed '" + Shown(printed) + "', wrote '" + Shown(written) + "'");

  // Where each draw's first byte stands in what was written, to tell a run cut
  // at the right edge from one that a control ended.
  std::vector<size_t> firstByte;
  for (size_t w = 0, k = 0; k < s.drawn.size(); ++k) {
    while (IsControl(written[w])) ++w;
    firstByte.push_back(w);
    for (size_t left = s.drawn[k].text.size(); left > 0; ++w)
      if (!IsControl(written[w])) --left;
  }

  const Drawn* prev = nullptr;
  for (size_t k = 0; k < s.drawn.size(); ++k) {
    const Drawn& d = s.drawn[k];
    // A run is cut at the last character that fits: the first one moved to the
    // next line would not have fitted after the piece before it (unless it moved
    // to a new page because it was too tall for the rest of this one).
    if (prev && d.x == 0 && firstByte[k] == firstByte[k - 1] + prev->text.size() &&
        (d.page == prev->page ? d.y > prev->y : prev->y + d.cy <= s.pageHeight)) {
      const int next = s.width[static_cast<unsigned char>(d.text[0])];
      FUZZ_CHECK(prev->x + prev->cx + next > s.pageWidth,
                 "cut too early: " + Where(*prev) + " then " + Where(d));
    }
    FUZZ_CHECK(!d.text.empty(), "an empty draw");
    const bool oneWideChar = d.text.size() == 1 && d.x == 0;
    FUZZ_CHECK(d.x >= 0 && (d.x + d.cx <= s.pageWidth || oneWideChar),
               "past the right edge " + std::to_string(s.pageWidth) + ": " + Where(d));
    FUZZ_CHECK(d.y >= 0 && (d.y + d.cy <= s.pageHeight || d.y == 0),
               "past the bottom edge " + std::to_string(s.pageHeight) + ": " + Where(d));
    if (prev && prev->page == d.page) {
      const bool sameLineAfter = d.y == prev->y && d.x >= prev->x + prev->cx;
      FUZZ_CHECK(sameLineAfter || d.y > prev->y, Where(*prev) + " then " + Where(d));
    }
    if (prev) FUZZ_CHECK(d.page >= prev->page);
    prev = &d;
  }

  // Each character or control ends at most a couple of lines, each line at most
  // one page. Every pass of the run loop measures the run, bisects it and
  // measures the head; a pass draws a piece or moves to a fresh line or page
  // first, so there are at most a few passes per piece.
  const long n = static_cast<long>(written.size());
  FUZZ_CHECK(s.page <= 2 * n + 1, std::to_string(s.page) + " pages for " + std::to_string(n) + " bytes");
  long log2 = 1;
  while ((1L << log2) <= n) ++log2;
  const long pieces = 3 * static_cast<long>(s.drawn.size()) + static_cast<long>(controls) + writes + 1;
  FUZZ_CHECK(s.measures <= pieces * (log2 + 3), std::to_string(s.measures) + " measures for " +
                                                    std::to_string(n) + " bytes");
  return 0;
}
