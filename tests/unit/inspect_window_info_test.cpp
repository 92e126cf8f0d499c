#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "inspect/StyleTables.h"
#include "inspect/WindowInfo.h"
#include "reading/WindowRow.h"

namespace {
const DisplayOptions kHexLower{kFormatHexadecimal, kCaseLower};
const DisplayOptions kDecUpper{kFormatDecimal, kCaseUpper};
const std::string kSep = "\xC2\xA0| ";

FakeWindow TopLevel() {
  FakeWindow w;
  w.className = "TfrmNotes";
  w.text = "Notes - untitled";
  w.style = 0x14CF0000;  // visible overlapped window with caption and boxes
  w.exStyle = 0x00000100;
  w.instance = 0x00400000;
  w.wndProc = 0x0041A2B0;
  w.processId = 0x6A4;
  w.menu = 0x000300C2;
  w.classStyle = 0x0008;
  w.classWndProc = 0x0041A2B0;
  w.icon = 0x00010031;
  w.smallIcon = 0x00010033;
  w.cursor = 0x00010005;
  w.brush = 6;
  w.module = 0x00400000;
  w.rect = {100, 50, 740, 530};
  w.clientRect = {0, 0, 632, 452};
  w.clientOrigin = {104, 74};
  return w;
}
}  // namespace

TEST(InspectWindowInfo, TopLevelWindow) {
  FakeDesktop desk;
  Hwnd h = desk.Add(TopLevel());
  WindowInfo info = GatherWindowInfo(desk, h, kHexLower);
  EXPECT_EQ(info.textCaption, "Text");
  EXPECT_FALSE(info.isResourceId);
  EXPECT_EQ(info.text, "Notes - untitled");
  EXPECT_EQ(info.process, "000006A4");
  EXPECT_EQ(info.instance, "00400000");
  EXPECT_EQ(info.handle, FormatInteger(h, kHexLower));
  EXPECT_EQ(info.parent, "00000000");
  EXPECT_EQ(info.function, "0041A2B0");
  EXPECT_EQ(info.menu, "000300C2");
  EXPECT_EQ(info.screenCoords, "left: 100, top: 50, right: 740, bottom: 530");
  EXPECT_EQ(info.parentCoords, info.screenCoords);
  EXPECT_EQ(info.windowSize, "width: 640, height: 480");
  EXPECT_EQ(info.clientSize, "width: 632, height: 452");
  EXPECT_EQ(info.style, "14CF0000");
  EXPECT_EQ(info.exStyle, "00000100");
  EXPECT_EQ(info.styleMemo, StyleMemoText(0x14CF0000, 0x100, kHexLower));
  EXPECT_EQ(info.styleMemo.substr(0, 13 + kSep.size() + 10), "ws_overlapped" + kSep + "ws_visible");

  EXPECT_EQ(info.className, "TfrmNotes");
  EXPECT_EQ(info.classFunction, "0041A2B0");
  EXPECT_EQ(info.icon, "00010031");
  EXPECT_EQ(info.smallIcon, "00010033");
  EXPECT_EQ(info.cursor, "00010005");
  EXPECT_EQ(info.brush, "00000006");
  EXPECT_EQ(info.moduleHandle, "00400000");
  EXPECT_EQ(info.classStyle, "00000008");
  EXPECT_EQ(info.classStyleMemo, "cs_dblclks");

  EXPECT_EQ(info.processId, 0x6A4u);
  EXPECT_EQ(info.parentWindow, 0u);
  EXPECT_EQ(info.styleBits, 0x14CF0000u);
  EXPECT_EQ(info.iconHandle, 0x00010031u);
  EXPECT_EQ(info.smallIconHandle, 0x00010033u);
  EXPECT_EQ(info.cursorHandle, 0x00010005u);
  EXPECT_EQ(desk.getTextCalls, 1);
}

// A 64-bit inspector shows the pointer-sized values in full and the handles in
// their 32 bits; a value above 4 GB must not lose its high half.
TEST(InspectWindowInfo, SixtyFourBitInspectorShowsAddressesInFull) {
  FakeDesktop desk;
  desk.addressBits = 64;
  FakeWindow w = TopLevel();
  w.instance = 0x140000000ull;
  w.wndProc = 0x00007FFB12345678ull;
  w.classWndProc = 0xFFFFFFFF80001234ull;
  w.module = 0x140000000ull;
  Hwnd h = desk.Add(w);
  WindowInfo hex = GatherWindowInfo(desk, h, kHexLower);
  EXPECT_EQ(hex.instance, "0000000140000000");
  EXPECT_EQ(hex.function, "00007FFB12345678");
  EXPECT_EQ(hex.classFunction, "FFFFFFFF80001234");
  EXPECT_EQ(hex.moduleHandle, "0000000140000000");
  EXPECT_EQ(hex.handle, FormatInteger(h, kHexLower));
  EXPECT_EQ(hex.menu, "000300C2");
  EXPECT_EQ(hex.icon, "00010031");
  EXPECT_EQ(hex.brush, "00000006");

  WindowInfo dec = GatherWindowInfo(desk, h, kDecUpper);
  EXPECT_EQ(dec.instance, "5368709120");
  EXPECT_EQ(dec.classFunction, "-2147478988");
  WindowInfo bin = GatherWindowInfo(desk, h, DisplayOptions{kFormatBinary, kCaseLower});
  EXPECT_EQ(bin.instance, std::string(31, '0') + "101" + std::string(30, '0'));
  EXPECT_EQ(bin.handle.size(), 32u);
}

TEST(InspectWindowInfo, ChildAndOwnedWindowsShowNoMenu) {
  FakeDesktop desk;
  Hwnd top = desk.Add(TopLevel());
  FakeWindow child;
  child.parent = top;
  child.child = true;
  child.id = 1001;
  child.menu = 1001;  // what GetMenu of a child gives back
  child.style = 0x10010000;
  child.rect = {114, 84, 214, 104};
  child.clientRect = {0, 0, 100, 20};
  Hwnd c = desk.Add(child);
  FakeWindow popup = TopLevel();
  popup.owner = top;
  Hwnd p = desk.Add(popup);

  WindowInfo ci = GatherWindowInfo(desk, c, kDecUpper);
  EXPECT_EQ(ci.menu, "0");
  EXPECT_EQ(ci.controlId, "1001");
  EXPECT_EQ(ci.parentWindow, top);
  EXPECT_EQ(ci.parent, std::to_string(top));
  EXPECT_EQ(ci.parentCoords, "left: 10, top: 10, right: 110, bottom: 30");
  EXPECT_EQ(ci.screenCoords, "left: 114, top: 84, right: 214, bottom: 104");
  EXPECT_EQ(ci.windowSize, "width: 100, height: 20");
  EXPECT_EQ(ci.styleMemo, "WS_OVERLAPPED" + kSep + "WS_CHILD" + kSep + "WS_VISIBLE" + kSep + "WS_TABSTOP" +
                              kSep + DecodeExStyle(0, kDecUpper));

  EXPECT_EQ(GatherWindowInfo(desk, p, kHexLower).menu, "00000000");
}

TEST(InspectWindowInfo, VanishedWindowShowsZeros) {
  FakeDesktop desk;
  Hwnd h = desk.Add(TopLevel());
  desk.Remove(h);
  WindowInfo info = GatherWindowInfo(desk, h, kHexLower);
  EXPECT_EQ(info.text, "");
  EXPECT_EQ(info.textCaption, "Text");
  EXPECT_EQ(info.className, "");
  EXPECT_EQ(info.handle, FormatInteger(h, kHexLower));
  EXPECT_EQ(info.process, "00000000");
  EXPECT_EQ(info.menu, "00000000");
  EXPECT_EQ(info.screenCoords, "left: 0, top: 0, right: 0, bottom: 0");
  EXPECT_EQ(info.parentCoords, info.screenCoords);
  EXPECT_EQ(info.windowSize, "width: 0, height: 0");
  EXPECT_EQ(info.clientSize, "width: 0, height: 0");
  EXPECT_EQ(info.styleMemo,
            "ws_overlapped" + kSep + "ws_ex_left" + kSep + "ws_ex_ltrreading" + kSep + "ws_ex_rightscrollbar");
  EXPECT_EQ(info.classStyleMemo, "");
  EXPECT_EQ(info.icon, "00000000");

  // Handle 0, as at program start.
  WindowInfo none = GatherWindowInfo(desk, 0, kDecUpper);
  EXPECT_EQ(none.handle, "0");
  EXPECT_EQ(none.text, "");
}

TEST(InspectWindowInfo, LongTextIsCutAndStopsAtItsFirstZero) {
  FakeDesktop desk;
  FakeWindow w = TopLevel();
  w.text = std::string(20000, 'x');
  w.className = std::string(20000, 'C');
  Hwnd h = desk.Add(w);
  WindowInfo info = GatherWindowInfo(desk, h, kHexLower);
  EXPECT_EQ(info.text, std::string(16384, 'x'));
  EXPECT_EQ(info.className.size(), 16384u);

  desk[h].sentText = std::string("first\0second", 12);
  EXPECT_EQ(GatherWindowInfo(desk, h, kHexLower).text, "first");
}

TEST(InspectWindowInfo, ResourceIdentifierText) {
  FakeDesktop desk;
  Hwnd h = desk.Add(TopLevel());

  desk[h].sentText = "\xFF\x04\x7F";  // 32516
  WindowInfo info = GatherWindowInfo(desk, h, kHexLower);
  EXPECT_TRUE(info.isResourceId);
  EXPECT_EQ(info.textCaption, "Resource ID");
  EXPECT_EQ(info.text, "idi_information");
  EXPECT_EQ(GatherWindowInfo(desk, h, kDecUpper).text, "IDI_INFORMATION");

  desk[h].sentText = std::string("\xFF\x65\x00", 3);  // 101
  EXPECT_EQ(GatherWindowInfo(desk, h, kDecUpper).text, "101");
  EXPECT_EQ(GatherWindowInfo(desk, h, kHexLower).text, "00000065");

  // A zero low byte does not end the identifier: 0x7F00.
  desk[h].sentText = std::string("\xFF\x00\x7F", 3);
  EXPECT_EQ(GatherWindowInfo(desk, h, kDecUpper).text, "IDI_APPLICATION");

  // The byte alone: what follows in the cleared buffer is zero.
  desk[h].sentText = "\xFF";
  info = GatherWindowInfo(desk, h, kDecUpper);
  EXPECT_EQ(info.textCaption, "Resource ID");
  EXPECT_EQ(info.text, "0");

  // Ordinary text that happens to begin with the byte counts as well.
  desk[h].sentText = "\xFFhello";
  EXPECT_EQ(GatherWindowInfo(desk, h, kDecUpper).text, std::to_string('h' + 256 * 'e'));
}

TEST(InspectWindowInfo, HungWindowGivesEmptyText) {
  FakeDesktop desk;
  Hwnd h = desk.Add(TopLevel());
  desk[h].hung = true;
  WindowInfo info = GatherWindowInfo(desk, h, kHexLower);
  EXPECT_EQ(info.text, "");
  EXPECT_EQ(info.textCaption, "Text");
  EXPECT_EQ(info.className, "TfrmNotes");
}

// Every view reads through ReadWindowFacts: it asks only what it shows, and
// the text rules come out the same whichever view asks.
TEST(ReadWindowFacts, AsksOnlyForWhatAViewShowsAndKeepsOneTextRule) {
  FakeDesktop desk;
  FakeWindow w = TopLevel();
  w.text = "kept title";
  w.sentText = "\xFF\x04\x7F";
  const Hwnd h = desk.Add(w);

  const WindowFacts classOnly = ReadWindowFacts(desk, h, Facts::ClassName);
  EXPECT_EQ(desk.getTextCalls, 0) << "a view that shows no text sends no WM_GETTEXT";
  EXPECT_EQ(classOnly.className, "TfrmNotes");
  EXPECT_EQ(classOnly.style, 0u);

  const WindowFacts text = ReadWindowFacts(desk, h, Facts::Text);
  EXPECT_TRUE(text.isResourceId);
  EXPECT_EQ(text.resourceId, 32516u);
  EXPECT_EQ(OwnText(text), "kept title") << "a list shows the title a resource identifier's window keeps";
  EXPECT_EQ(MakeWindowRow(desk, h, 1, [](uint32_t) { return std::string(); }).text, OwnText(text));

  const WindowFacts known = ReadWindowFacts(desk, h, Facts::ParentCoords, 0);
  EXPECT_EQ(known.parentCoords, desk[h].rect) << "a walk that knows the parent maps into it";
  EXPECT_EQ(RectWidth({10, 0, -2147483647 - 1, 0}), 2147483638) << "extents wrap as the platform's do";
}
