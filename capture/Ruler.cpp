#include "capture/Ruler.h"

#include <algorithm>

namespace {

// Image pixels between long ticks and between short ticks. From x2 up a short
// tick marks every screen pixel and a number every 10 screen pixels; at x1 a
// short tick marks every 5 screen pixels and a number every 20.
constexpr RulerScale kScales[] = {
    {1, 20, 5}, {2, 20, 2}, {3, 30, 3}, {4, 40, 4}, {5, 50, 5}, {6, 60, 6},
};

// Each glyph: seven rows of four pixels.
const char* const kGlyphs[10][kDigitHeight] = {
    {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."},
    {"..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"},
    {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"},
    {".##.", "#..#", "...#", ".##.", "...#", "#..#", ".##."},
    {"..#.", ".##.", "#.#.", "#.#.", "####", "..#.", "..#."},
    {"####", "#...", "###.", "...#", "...#", "#..#", ".##."},
    {".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "...#", "..#.", "..#.", ".#..", ".#.."},
    {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."},
};

int ClampZoom(int zoom) { return std::min(6, std::max(1, zoom)); }

// Draws a tick or digit pixel given as (along, depth), where `along` runs
// along the ruler and `depth` from its far edge towards the image.
template <typename Plot>
void DrawRuler(int zoom, Plot plot) {
  for (int pos = 0; pos <= kRulerSpan; ++pos) {
    TickKind kind = TickAt(zoom, pos);
    if (kind == TickKind::None) continue;
    for (int depth = TickStart(kind); depth < kRulerDepth; ++depth) plot(kRulerOrigin + pos, depth);
  }
}

}  // namespace

RulerScale ScaleForZoom(int zoom) { return kScales[ClampZoom(zoom) - 1]; }

TickKind TickAt(int zoom, int position) {
  if (position < 0 || position > kRulerSpan) return TickKind::None;
  RulerScale s = ScaleForZoom(zoom);
  if (position % s.longEvery == 0) return TickKind::Long;
  if (position % s.longEvery == s.longEvery / 2) return TickKind::Medium;
  if (position % s.shortEvery == 0) return TickKind::Short;
  return TickKind::None;
}

int TickStart(TickKind kind) {
  switch (kind) {
    case TickKind::Long: return 9;
    case TickKind::Medium: return 11;
    case TickKind::Short: return 14;
    case TickKind::None: break;
  }
  return kRulerDepth;
}

std::vector<RulerNumber> RulerNumbers(int zoom) {
  RulerScale s = ScaleForZoom(zoom);
  std::vector<RulerNumber> numbers;
  for (int pos = 0; pos <= kRulerSpan; pos += s.longEvery) {
    int value = pos / s.zoom;
    int digits = static_cast<int>(std::to_string(value).size());
    int length = digits * kDigitWidth + (digits - 1) * kDigitGap;
    // Centred over the tick, but never cut off: the last number at x1 stands
    // so near the end that centring would push it one pixel out.
    int first = std::min(std::max(kRulerOrigin + pos - length / 2, 0), kRulerLength - length);
    numbers.push_back({pos, value, first, length});
  }
  return numbers;
}

const char* const* DigitGlyph(int digit) { return kGlyphs[std::min(9, std::max(0, digit))]; }

MonoImage HorizontalRuler(int zoom) {
  MonoImage image(kRulerLength, kRulerDepth);
  DrawRuler(zoom, [&](int along, int depth) { image.SetBlack(along, depth); });
  for (const RulerNumber& n : RulerNumbers(zoom)) {
    std::string text = std::to_string(n.value);
    for (size_t i = 0; i < text.size(); ++i) {
      const char* const* glyph = DigitGlyph(text[i] - '0');
      int left = n.first + static_cast<int>(i) * (kDigitWidth + kDigitGap);
      for (int gy = 0; gy < kDigitHeight; ++gy) {
        for (int gx = 0; gx < kDigitWidth; ++gx) {
          if (glyph[gy][gx] == '#') image.SetBlack(left + gx, gy);
        }
      }
    }
  }
  return image;
}

MonoImage VerticalRuler(int zoom) {
  MonoImage image(kRulerDepth, kRulerLength);
  DrawRuler(zoom, [&](int along, int depth) { image.SetBlack(depth, along); });
  for (const RulerNumber& n : RulerNumbers(zoom)) {
    std::string text = std::to_string(n.value);
    for (size_t i = 0; i < text.size(); ++i) {
      const char* const* glyph = DigitGlyph(text[i] - '0');
      int top = n.first + static_cast<int>(i) * (kDigitWidth + kDigitGap);
      // A quarter turn clockwise: the glyph's top row becomes its right-hand
      // column, its left column the top row.
      for (int gy = 0; gy < kDigitHeight; ++gy) {
        for (int gx = 0; gx < kDigitWidth; ++gx) {
          if (glyph[gy][gx] == '#') image.SetBlack(kDigitHeight - 1 - gy, top + gx);
        }
      }
    }
  }
  return image;
}

std::string RulerResourceName(bool horizontal, int zoom) {
  return (horizontal ? "H" : "V") + std::to_string(ClampZoom(zoom));
}
