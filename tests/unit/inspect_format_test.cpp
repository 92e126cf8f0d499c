#include <gtest/gtest.h>

#include "inspect/Format.h"

namespace {
const DisplayOptions kHex{kFormatHexadecimal, kCaseLower};
const DisplayOptions kDec{kFormatDecimal, kCaseLower};
const DisplayOptions kBin{kFormatBinary, kCaseUpper};
const DisplayOptions kNone{-1, kCaseLower};
}  // namespace

TEST(InspectFormat, FormatIntegerInEachFormat) {
  EXPECT_EQ(FormatInteger(0, kHex), "00000000");
  EXPECT_EQ(FormatInteger(0, kDec), "0");
  EXPECT_EQ(FormatInteger(0, kBin), std::string(32, '0'));
  EXPECT_EQ(FormatInteger(0x1043C, kHex), "0001043C");
  // Hex digits stay upper case even with lower-case constants.
  EXPECT_EQ(FormatInteger(0xFFFF0532, kHex), "FFFF0532");
  EXPECT_EQ(FormatInteger(0xFFFF0532, kDec), "-64206");
  EXPECT_EQ(FormatInteger(0xFFFFFFFF, kDec), "-1");
  EXPECT_EQ(FormatInteger(0x80000000, kDec), "-2147483648");
  EXPECT_EQ(FormatInteger(0x7FFFFFFF, kDec), "2147483647");
  EXPECT_EQ(FormatInteger(0x80000001, kBin), "10000000000000000000000000000001");
  EXPECT_EQ(FormatInteger(0x1234, kNone), "");
  EXPECT_EQ(FormatInteger(0x1234, DisplayOptions{3, 0}), "");
}

TEST(InspectFormat, FormatByteUsesTheLowByteOnly) {
  EXPECT_EQ(FormatByte(0x1234, kHex), "34");
  EXPECT_EQ(FormatByte(0x1234, kDec), "52");
  EXPECT_EQ(FormatByte(0x1234, kBin), "00110100");
  EXPECT_EQ(FormatByte(10, kHex), "0A");
  EXPECT_EQ(FormatByte(0xFF, kDec), "255");
  EXPECT_EQ(FormatByte(0x100, kDec), "0");
  EXPECT_EQ(FormatByte(7, kNone), "");
  EXPECT_EQ(BinaryDigits(5, 8), "00000101");
  EXPECT_EQ(BinaryDigits(0xFFFFFFFF, 32), std::string(32, '1'));
}

TEST(InspectFormat, GeometryStaysDecimal) {
  EXPECT_EQ(RectText(WinRect{-8, -8, 1288, 1008}), "left: -8, top: -8, right: 1288, bottom: 1008");
  EXPECT_EQ(SizeText(1296, -1016), "width: 1296, height: -1016");
  EXPECT_EQ(PointText(-3, 40), "X: -3  Y: 40");
  EXPECT_EQ(RectText(WinRect{INT32_MIN, 0, INT32_MAX, 0}),
            "left: -2147483648, top: 0, right: 2147483647, bottom: 0");
}

TEST(InspectFormat, PixelColorFollowsTheIntegerFormat) {
  EXPECT_EQ(PixelColorText(0x00FF8000, kHex), "R: 00  G: 80  B: FF");
  EXPECT_EQ(PixelColorText(0x00FF8000, kDec), "R: 0  G: 128  B: 255");
  EXPECT_EQ(PixelColorText(0x00010203, kBin), "R: 00000011  G: 00000010  B: 00000001");
  // The unused top byte of a colour does not leak into blue.
  EXPECT_EQ(PixelColorText(0xAB000000, kHex), "R: 00  G: 00  B: 00");
}

TEST(InspectFormat, ConstsCaseLowersOnlyAsciiLetters) {
  std::string mixed = "WS_CHILD\xA0| WS_EX_LEFT \xC4\xD6";
  EXPECT_EQ(ApplyConstsCase(mixed, kHex), "ws_child\xA0| ws_ex_left \xC4\xD6");
  EXPECT_EQ(ApplyConstsCase(mixed, DisplayOptions{0, kCaseUpper}), mixed);
  EXPECT_EQ(ApplyConstsCase("", kHex), "");
}
