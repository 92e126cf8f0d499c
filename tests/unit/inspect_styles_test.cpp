#include <gtest/gtest.h>

#include "inspect/StyleTables.h"

namespace {
const DisplayOptions kUpper{kFormatHexadecimal, kCaseUpper};
const DisplayOptions kLower{kFormatHexadecimal, kCaseLower};
const std::string kSep = "\xC2\xA0| ";
}  // namespace

TEST(InspectStyles, WindowStyle) {
  EXPECT_EQ(std::string(StyleSeparator), kSep);
  EXPECT_EQ(DecodeWindowStyle(0, kUpper), "WS_OVERLAPPED");
  EXPECT_EQ(DecodeWindowStyle(0, kLower), "ws_overlapped");
  EXPECT_EQ(DecodeWindowStyle(0x50010000, kUpper),
            "WS_OVERLAPPED" + kSep + "WS_CHILD" + kSep + "WS_VISIBLE" + kSep + "WS_TABSTOP");
  EXPECT_EQ(DecodeWindowStyle(0x10010000, kUpper),
            "WS_OVERLAPPED" + kSep + "WS_VISIBLE" + kSep + "WS_MAXIMIZEBOX");
  EXPECT_EQ(DecodeWindowStyle(0x40020000, kLower), "ws_overlapped" + kSep + "ws_child" + kSep + "ws_group");
  // A caption is not recognised as one constant.
  EXPECT_EQ(DecodeWindowStyle(0x00C00000, kUpper), "WS_OVERLAPPED" + kSep + "WS_BORDER" + kSep + "WS_DLGFRAME");
  // Control-specific low bits are not decoded.
  EXPECT_EQ(DecodeWindowStyle(0x0000FFFF, kUpper), "WS_OVERLAPPED");
  std::string all = DecodeWindowStyle(0xFFFFFFFF, kUpper);
  EXPECT_EQ(all.rfind("WS_GROUP" + kSep + "WS_TABSTOP"), all.size() - 8 - kSep.size() - 10);
  EXPECT_EQ(all.find("MINIMIZEBOX"), std::string::npos);
}

TEST(InspectStyles, ExtendedStyle) {
  const std::string zeroRows = "WS_EX_LEFT" + kSep + "WS_EX_LTRREADING" + kSep + "WS_EX_RIGHTSCROLLBAR";
  EXPECT_EQ(DecodeExStyle(0, kUpper), zeroRows);
  EXPECT_EQ(DecodeExStyle(0x00001000, kUpper), "WS_EX_RIGHT" + kSep + zeroRows);
  EXPECT_EQ(DecodeExStyle(0x00002000, kUpper),
            "WS_EX_LEFT" + kSep + "WS_EX_RTLREADING" + kSep + "WS_EX_LTRREADING" + kSep +
                "WS_EX_RIGHTSCROLLBAR");
  EXPECT_EQ(DecodeExStyle(0x00040208, kLower),
            "ws_ex_topmost" + kSep + "ws_ex_clientedge" + kSep + "ws_ex_left" + kSep +
                "ws_ex_ltrreading" + kSep + "ws_ex_rightscrollbar" + kSep + "ws_ex_appwindow");
}

TEST(InspectStyles, ClassStyle) {
  EXPECT_EQ(DecodeClassStyle(0, kUpper), "");
  EXPECT_EQ(DecodeClassStyle(0x0010, kUpper), "");
  EXPECT_EQ(DecodeClassStyle(0x0008, kLower), "cs_dblclks");
  EXPECT_EQ(DecodeClassStyle(0x10003, kUpper), "CS_VREDRAW" + kSep + "CS_HREDRAW" + kSep + "CS_IME");
}

TEST(InspectStyles, StockIconNames) {
  EXPECT_EQ(StockIconName(32515, kUpper), "IDI_WARNING");
  EXPECT_EQ(StockIconName(32515, kLower), "idi_warning");
  EXPECT_EQ(StockIconName(32512, kLower), "idi_application");
  EXPECT_EQ(StockIconName(32517, kUpper), "IDI_WINLOGO");
  // Other identifiers are numbers, upper-case hex whatever the case option.
  EXPECT_EQ(StockIconName(32518, kLower), "00007F06");
  EXPECT_EQ(StockIconName(32518, DisplayOptions{kFormatDecimal, kCaseLower}), "32518");
  EXPECT_EQ(StockIconName(32511, kUpper), "00007EFF");
}

TEST(InspectStyles, StyleMemoCasesEachHalf) {
  EXPECT_EQ(StyleMemoText(0, 0, kUpper),
            "WS_OVERLAPPED" + kSep + "WS_EX_LEFT" + kSep + "WS_EX_LTRREADING" + kSep + "WS_EX_RIGHTSCROLLBAR");
  EXPECT_EQ(StyleMemoText(0x40000000, 0x1000, kLower),
            "ws_overlapped" + kSep + "ws_child" + kSep + "ws_ex_right" + kSep + "ws_ex_left" + kSep +
                "ws_ex_ltrreading" + kSep + "ws_ex_rightscrollbar");
}
