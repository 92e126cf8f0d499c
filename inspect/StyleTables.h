#pragma once
// The platform's constant names for style bits and stock icons, and their decoding.
#include <cstdint>
#include <string>
#include <vector>

#include "inspect/Format.h"
#include "platform/WinConstants.h"

// Follows every name of a decoded list but the last: a no-break space (U+00A0,
// in UTF-8 as every shown text), a bar and a blank.
inline constexpr char StyleSeparator[] = "\xC2\xA0| ";
inline constexpr int kStyleSeparatorLength = 4;

// A row is read: when value AND mask equals mask, the name is shown. Rows are
// tested and shown in table order; a mask of 0 always matches.
struct StyleRow {
  uint32_t mask;
  const char* name;
  const char* childName = nullptr;  // shown instead of name when WS_CHILD is set
};


inline constexpr StyleRow kWindowStyles[] = {
    {0x00000000, "WS_OVERLAPPED"},
    {0x80000000, "WS_POPUP"},
    {0x40000000, "WS_CHILD"},
    {0x20000000, "WS_MINIMIZE"},
    {0x10000000, "WS_VISIBLE"},
    {0x08000000, "WS_DISABLED"},
    {0x04000000, "WS_CLIPSIBLINGS"},
    {0x02000000, "WS_CLIPCHILDREN"},
    {0x01000000, "WS_MAXIMIZE"},
    {0x00800000, "WS_BORDER"},
    {0x00400000, "WS_DLGFRAME"},
    {0x00200000, "WS_VSCROLL"},
    {0x00100000, "WS_HSCROLL"},
    {0x00080000, "WS_SYSMENU"},
    {0x00040000, "WS_THICKFRAME"},
    {0x00020000, "WS_MINIMIZEBOX", "WS_GROUP"},
    {0x00010000, "WS_MAXIMIZEBOX", "WS_TABSTOP"},
};

inline constexpr StyleRow kExStyles[] = {
    {0x00000001, "WS_EX_DLGMODALFRAME"},
    {0x00000004, "WS_EX_NOPARENTNOTIFY"},
    {0x00000008, "WS_EX_TOPMOST"},
    {0x00000010, "WS_EX_ACCEPTFILES"},
    {0x00000020, "WS_EX_TRANSPARENT"},
    {0x00000040, "WS_EX_MDICHILD"},
    {0x00000080, "WS_EX_TOOLWINDOW"},
    {0x00000100, "WS_EX_WINDOWEDGE"},
    {0x00000200, "WS_EX_CLIENTEDGE"},
    {0x00000400, "WS_EX_CONTEXTHELP"},
    {0x00001000, "WS_EX_RIGHT"},
    {0x00000000, "WS_EX_LEFT"},
    {0x00002000, "WS_EX_RTLREADING"},
    {0x00000000, "WS_EX_LTRREADING"},
    {0x00004000, "WS_EX_LEFTSCROLLBAR"},
    {0x00000000, "WS_EX_RIGHTSCROLLBAR"},
    {0x00010000, "WS_EX_CONTROLPARENT"},
    {0x00020000, "WS_EX_STATICEDGE"},
    {0x00040000, "WS_EX_APPWINDOW"},
};

inline constexpr StyleRow kClassStyles[] = {
    {0x0001, "CS_VREDRAW"},
    {0x0002, "CS_HREDRAW"},
    {0x0004, "CS_KEYCVTWINDOW"},
    {0x0008, "CS_DBLCLKS"},
    {0x0020, "CS_OWNDC"},
    {0x0040, "CS_CLASSDC"},
    {0x0080, "CS_PARENTDC"},
    {0x0100, "CS_NOKEYCVT"},
    {0x0200, "CS_NOCLOSE"},
    {0x0800, "CS_SAVEBITS"},
    {0x1000, "CS_BYTEALIGNCLIENT"},
    {0x2000, "CS_BYTEALIGNWINDOW"},
    {0x4000, "CS_GLOBALCLASS"},
    {0x10000, "CS_IME"},
};

// A row is read: an identifier equal to value is named name.
struct StockIconRow {
  uint32_t value;
  const char* name;
};

inline constexpr StockIconRow kStockIcons[] = {
    {32512, "IDI_APPLICATION"}, {32513, "IDI_ERROR"},       {32514, "IDI_QUESTION"},
    {32515, "IDI_WARNING"},     {32516, "IDI_INFORMATION"}, {32517, "IDI_WINLOGO"},
};

// Names of the set bits, each followed by StyleSeparator but the last, cased by
// the constants case. Bits no row names are not shown.
std::string DecodeWindowStyle(uint32_t style, const DisplayOptions& opts);
std::string DecodeExStyle(uint32_t exStyle, const DisplayOptions& opts);
std::string DecodeClassStyle(uint32_t classStyle, const DisplayOptions& opts);  // may be empty

// The IDI_ name of a stock icon identifier, cased; any other value as
// FormatInteger, which no casing touches.
std::string StockIconName(uint32_t identifier, const DisplayOptions& opts);

// The Window page memo: the decoded style, StyleSeparator, the decoded extended style.
std::string StyleMemoText(uint32_t style, uint32_t exStyle, const DisplayOptions& opts);

// The names of a decoded constant list, without their separators.
std::vector<std::string> SplitConstantNames(const std::string& decoded);
