#pragma once
// The rulers beside the magnified image, one pair per zoom factor: where the
// ticks stand, how long they are, which numbers they carry, and the pictures
// drawn from that. A host tool turns the pictures into the bitmap resources
// "H1".."H6" and "V1".."V6" at build time.
#include <string>
#include <vector>

#include "capture/MonoImage.h"

// A ruler runs along 130 pixels and is 21 pixels deep. Positions 0..120 (image
// pixels from the image's edge) lie at 4..124 along it.
constexpr int kRulerLength = 130;
constexpr int kRulerDepth = 21;
constexpr int kRulerOrigin = 4;
constexpr int kRulerSpan = 120;

// Digits are 4 x 7 pixels with one blank pixel between two digits; they stand
// in the 7 pixels of the ruler's depth farthest from the image.
constexpr int kDigitWidth = 4;
constexpr int kDigitHeight = 7;
constexpr int kDigitGap = 1;

enum class TickKind { None, Short, Medium, Long };

// Image pixels between long ticks (each with a number) and between short ticks,
// for a zoom factor 1..6 (others are taken as the nearest of these).
struct RulerScale {
  int zoom;
  int longEvery;
  int shortEvery;
};
RulerScale ScaleForZoom(int zoom);

// The tick at an image position 0..120; None where there is none.
TickKind TickAt(int zoom, int position);
// Depth at which a tick starts, counted from the far edge; every tick ends at
// the edge next to the image (depth 20).
int TickStart(TickKind kind);

// A number on the ruler: the image position of its tick, the screen pixels it
// counts, and the first pixel along the ruler of its digits.
struct RulerNumber {
  int position;
  int value;
  int first;
  int length;  // pixels along the ruler
};
std::vector<RulerNumber> RulerNumbers(int zoom);

// Rows of a digit glyph, '#' for black, top row first.
const char* const* DigitGlyph(int digit);

// The horizontal ruler (130 x 21) that stands above the image, and the
// vertical one (21 x 130) on its left: the same ticks mirrored across the
// diagonal, with each digit turned a quarter turn clockwise so that the
// numbers read from top to bottom.
MonoImage HorizontalRuler(int zoom);
MonoImage VerticalRuler(int zoom);

// "H" or "V" and the zoom factor in decimal: the resource name of a ruler.
std::string RulerResourceName(bool horizontal, int zoom);
