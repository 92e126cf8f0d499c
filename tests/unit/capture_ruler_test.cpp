#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "capture/MonoImage.h"
#include "capture/Ruler.h"

namespace {

// Reads the tick of each ruler position back from a horizontal ruler picture:
// the tick's kind follows from the first black row below the digits, and a
// tick must run unbroken down to the edge next to the image.
std::map<int, TickKind> TicksOf(const MonoImage& h) {
  std::map<int, TickKind> ticks;
  for (int col = 0; col < h.width; ++col) {
    int first = -1;
    for (int row = kDigitHeight; row < h.height; ++row) {
      if (h.Black(col, row)) {
        first = row;
        break;
      }
    }
    if (first < 0) continue;
    for (int row = first; row < h.height; ++row) EXPECT_TRUE(h.Black(col, row)) << col << "," << row;
    TickKind kind = first == 9 ? TickKind::Long : first == 11 ? TickKind::Medium
                  : first == 14 ? TickKind::Short : TickKind::None;
    EXPECT_NE(kind, TickKind::None) << "column " << col << " starts at row " << first;
    ticks[col - kRulerOrigin] = kind;
  }
  return ticks;
}

struct ExpectedScale {
  int zoom;
  std::vector<int> longs, mediums;
  int shortEvery;
  std::vector<int> numbers;
};

const ExpectedScale kExpected[] = {
    {1, {0, 20, 40, 60, 80, 100, 120}, {10, 30, 50, 70, 90, 110}, 5, {0, 20, 40, 60, 80, 100, 120}},
    {2, {0, 20, 40, 60, 80, 100, 120}, {10, 30, 50, 70, 90, 110}, 2, {0, 10, 20, 30, 40, 50, 60}},
    {3, {0, 30, 60, 90, 120}, {15, 45, 75, 105}, 3, {0, 10, 20, 30, 40}},
    {4, {0, 40, 80, 120}, {20, 60, 100}, 4, {0, 10, 20, 30}},
    {5, {0, 50, 100}, {25, 75}, 5, {0, 10, 20}},
    {6, {0, 60, 120}, {30, 90}, 6, {0, 10, 20}},
};

bool Contains(const std::vector<int>& v, int x) {
  for (int i : v) {
    if (i == x) return true;
  }
  return false;
}

}  // namespace

TEST(CaptureRuler, TicksOfEveryZoomStandWhereTheScaleSays) {
  for (const ExpectedScale& e : kExpected) {
    SCOPED_TRACE("zoom " + std::to_string(e.zoom));
    MonoImage h = HorizontalRuler(e.zoom);
    ASSERT_EQ(h.width, 130);
    ASSERT_EQ(h.height, 21);
    std::map<int, TickKind> ticks = TicksOf(h);
    for (int pos = -kRulerOrigin; pos < kRulerLength - kRulerOrigin; ++pos) {
      TickKind want = TickKind::None;
      if (Contains(e.longs, pos)) {
        want = TickKind::Long;
      } else if (Contains(e.mediums, pos)) {
        want = TickKind::Medium;
      } else if (pos >= 0 && pos <= 120 && pos % e.shortEvery == 0) {
        want = TickKind::Short;
      }
      TickKind got = ticks.count(pos) ? ticks[pos] : TickKind::None;
      EXPECT_EQ(static_cast<int>(got), static_cast<int>(want)) << "position " << pos;
      EXPECT_EQ(static_cast<int>(TickAt(e.zoom, pos)), static_cast<int>(want)) << "position " << pos;
    }
    // The origin and the far end of the image carry ticks at every zoom.
    EXPECT_TRUE(h.Black(4, 20));
    EXPECT_TRUE(h.Black(124, 20));
  }
}

TEST(CaptureRuler, NumbersCountScreenPixelsAndSitOverTheirTicks) {
  for (const ExpectedScale& e : kExpected) {
    SCOPED_TRACE("zoom " + std::to_string(e.zoom));
    std::vector<RulerNumber> numbers = RulerNumbers(e.zoom);
    ASSERT_EQ(numbers.size(), e.numbers.size());
    int previousEnd = -2;
    for (size_t i = 0; i < numbers.size(); ++i) {
      const RulerNumber& n = numbers[i];
      EXPECT_EQ(n.value, e.numbers[i]);
      EXPECT_EQ(n.position, e.longs[i]);
      int digits = static_cast<int>(std::to_string(n.value).size());
      EXPECT_EQ(n.length, digits * 5 - 1);
      EXPECT_GE(n.first, 0);
      EXPECT_LE(n.first + n.length, kRulerLength);
      EXPECT_GT(n.first, previousEnd) << "numbers run into each other";
      previousEnd = n.first + n.length;
      // Centred over the tick, within a pixel (the last number at x1 is kept inside).
      int tick = kRulerOrigin + n.position;
      EXPECT_LE(std::abs(2 * n.first + n.length - 2 * tick), 3) << n.value;
    }
  }
  // Examples: "0" under the origin, "60" at x2 exactly centred, "120" at x1 kept inside.
  EXPECT_EQ(RulerNumbers(1)[0].first, 2);
  EXPECT_EQ(RulerNumbers(2)[6].first, 120);
  EXPECT_EQ(RulerNumbers(1)[6].first, 116);
}

TEST(CaptureRuler, DigitsAreDrawnFromTheirGlyphsAboveTheTicks) {
  MonoImage h = HorizontalRuler(1);
  // "20" over column 24: '2' at columns 20..23, a blank column, '0' at 25..28.
  const char* const* two = DigitGlyph(2);
  const char* const* zero = DigitGlyph(0);
  for (int gy = 0; gy < kDigitHeight; ++gy) {
    for (int gx = 0; gx < kDigitWidth; ++gx) {
      EXPECT_EQ(h.Black(20 + gx, gy), two[gy][gx] == '#') << gx << "," << gy;
      EXPECT_EQ(h.Black(25 + gx, gy), zero[gy][gx] == '#') << gx << "," << gy;
    }
    EXPECT_FALSE(h.Black(24, gy));
  }
  // Nothing between the digits and the longest tick.
  for (int zoom = 1; zoom <= 6; ++zoom) {
    MonoImage r = HorizontalRuler(zoom);
    for (int col = 0; col < r.width; ++col) {
      EXPECT_FALSE(r.Black(col, 7) || r.Black(col, 8)) << zoom << ": " << col;
    }
  }
  // Every glyph is distinct and uses all four columns and all seven rows.
  for (int d = 0; d < 10; ++d) {
    std::string rows;
    for (int gy = 0; gy < kDigitHeight; ++gy) rows += DigitGlyph(d)[gy];
    EXPECT_EQ(rows.size(), 28u);
    for (int other = 0; other < d; ++other) {
      std::string o;
      for (int gy = 0; gy < kDigitHeight; ++gy) o += DigitGlyph(other)[gy];
      EXPECT_NE(rows, o) << d << " and " << other;
    }
  }
}

TEST(CaptureRuler, VerticalRulerIsTheHorizontalOneTurned) {
  for (int zoom = 1; zoom <= 6; ++zoom) {
    SCOPED_TRACE("zoom " + std::to_string(zoom));
    MonoImage h = HorizontalRuler(zoom);
    MonoImage v = VerticalRuler(zoom);
    ASSERT_EQ(v.width, 21);
    ASSERT_EQ(v.height, 130);
    for (int along = 0; along < kRulerLength; ++along) {
      // Ticks mirrored across the diagonal: they reach from column 20 leftwards.
      for (int depth = kDigitHeight; depth < kRulerDepth; ++depth) {
        EXPECT_EQ(v.Black(depth, along), h.Black(along, depth)) << along << "," << depth;
      }
      // The digit strip turned a quarter clockwise: its top row is column 6.
      for (int depth = 0; depth < kDigitHeight; ++depth) {
        EXPECT_EQ(v.Black(kDigitHeight - 1 - depth, along), h.Black(along, depth)) << along << "," << depth;
      }
    }
  }
  // Turned clockwise, the "1" of "10" at x2 shows its foot (.###) in column 0.
  MonoImage v2 = VerticalRuler(2);
  int top = RulerNumbers(2)[1].first;
  EXPECT_FALSE(v2.Black(0, top));
  EXPECT_TRUE(v2.Black(0, top + 1) && v2.Black(0, top + 2) && v2.Black(0, top + 3));
  // The page shows the rulers with the colour of their bottom-left pixel
  // left out: it must be the white ground.
  for (int zoom = 1; zoom <= 6; ++zoom) {
    EXPECT_FALSE(HorizontalRuler(zoom).Black(0, kRulerDepth - 1)) << zoom;
    EXPECT_FALSE(VerticalRuler(zoom).Black(0, kRulerLength - 1)) << zoom;
  }
  EXPECT_EQ(RulerResourceName(true, 3), "H3");
  EXPECT_EQ(RulerResourceName(false, 6), "V6");
}

TEST(CaptureRuler, MonoBmpFileLayout) {
  MonoImage h = HorizontalRuler(1);
  std::string file = EncodeMonoBmp(h);
  BmpHeader hdr = ReadBmpHeader(file);
  ASSERT_TRUE(hdr.valid);
  EXPECT_EQ(hdr.width, 130);
  EXPECT_EQ(hdr.height, 21);
  EXPECT_EQ(hdr.bitsPerPixel, 1);
  EXPECT_EQ(hdr.colorsUsed, 2u);
  EXPECT_EQ(hdr.dataOffset, 62u);
  // 130 bits pad to 20 bytes a row.
  EXPECT_EQ(hdr.fileSize, 62u + 20 * 21);
  EXPECT_EQ(file.size(), hdr.fileSize);
  // Palette: black at index 0, white at index 1.
  EXPECT_EQ(file.substr(54, 8), std::string("\0\0\0\0\xFF\xFF\xFF\0", 8));
  // The first stored row is the bottom one: ticks at columns 4 (long) and 9
  // (short), white (1 bits) elsewhere, padding zero.
  EXPECT_EQ(static_cast<uint8_t>(file[62]), 0xF7);  // columns 0..7: only 4 black
  EXPECT_EQ(static_cast<uint8_t>(file[63]), 0xBD);  // columns 8..15: 9 and 14 black
  EXPECT_EQ(file[62 + 17], '\0');
  // The top row holds the digits of "0" at columns 2..5: ".##." -> column 2 white.
  size_t top = 62 + 20 * 20;
  EXPECT_EQ(static_cast<uint8_t>(file[top]) >> 4, 0xE);  // columns 0..3: 3 black
}

TEST(CaptureRuler, RgbBmpFileLayout) {
  // 0x00RRGGBB, top row first.
  std::vector<uint32_t> pixels = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC};
  std::string file = EncodeRgbBmp(2, 2, pixels);
  BmpHeader hdr = ReadBmpHeader(file);
  ASSERT_TRUE(hdr.valid);
  EXPECT_EQ(hdr.bitsPerPixel, 24);
  EXPECT_EQ(hdr.dataOffset, 54u);
  EXPECT_EQ(hdr.fileSize, 54u + 2 * 8);
  // Bottom row first, blue-green-red, rows padded to 8 bytes.
  EXPECT_EQ(file.substr(54), std::string("\x99\x88\x77\xCC\xBB\xAA\0\0\x33\x22\x11\x66\x55\x44\0\0", 16));
  EXPECT_EQ(EncodeRgbBmp(3, 3, pixels), "");  // too few pixels
  EXPECT_FALSE(ReadBmpHeader("BM").valid);
  EXPECT_FALSE(ReadBmpHeader(std::string(60, 'x')).valid);
}
