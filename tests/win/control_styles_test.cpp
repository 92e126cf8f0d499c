// The control style tables against the platform's own headers, and the
// reading of a list view's extended style.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "inspect/ControlStyles.h"
#include "inspect/WindowInfo.h"
#include "platform/Win32WindowSystem.h"

namespace {

// The row of `name` in the family's tables; null when none.
const ControlStyleRow* RowNamed(StyleFamily family, const char* name) {
  for (ControlStyleTable t : {ControlStyleRows(family), ControlExStyleRows(family)}) {
    for (const ControlStyleRow& row : t) {
      if (std::string(row.name) == name) return &row;
    }
  }
  return nullptr;
}

}  // namespace

TEST(ControlStyleTables, AgreeWithThePlatformHeaders) {
  // Each name's value, and for a choice the header's mask of its field.
#define FLAG(family, name)                                                          \
  {                                                                                 \
    const ControlStyleRow* row = RowNamed(StyleFamily::family, #name);              \
    ASSERT_NE(row, nullptr) << #name;                                               \
    EXPECT_EQ(row->value, static_cast<uint32_t>(name)) << #name;                    \
    EXPECT_EQ(row->mask, static_cast<uint32_t>(name)) << #name << " is one check"; \
  }
#define CHOICE(family, name, fieldMask)                                     \
  {                                                                    \
    const ControlStyleRow* row = RowNamed(StyleFamily::family, #name); \
    ASSERT_NE(row, nullptr) << #name;                                  \
    EXPECT_EQ(row->value, static_cast<uint32_t>(name)) << #name;       \
    EXPECT_EQ(row->mask, static_cast<uint32_t>(fieldMask)) << #name;   \
  }
  CHOICE(Button, BS_PUSHBUTTON, BS_TYPEMASK) CHOICE(Button, BS_GROUPBOX, BS_TYPEMASK)
  CHOICE(Button, BS_AUTORADIOBUTTON, BS_TYPEMASK) CHOICE(Button, BS_OWNERDRAW, BS_TYPEMASK)
  CHOICE(Button, BS_ICON, BS_ICON | BS_BITMAP)
  CHOICE(Button, BS_CENTER, BS_CENTER) CHOICE(Button, BS_VCENTER, BS_VCENTER)
  FLAG(Button, BS_LEFTTEXT) FLAG(Button, BS_PUSHLIKE) FLAG(Button, BS_MULTILINE) FLAG(Button, BS_NOTIFY)
  FLAG(Button, BS_FLAT)
  CHOICE(Edit, ES_LEFT, ES_CENTER | ES_RIGHT) CHOICE(Edit, ES_RIGHT, ES_CENTER | ES_RIGHT)
  FLAG(Edit, ES_MULTILINE) FLAG(Edit, ES_PASSWORD) FLAG(Edit, ES_READONLY) FLAG(Edit, ES_NUMBER)
  FLAG(Edit, ES_WANTRETURN) FLAG(Edit, ES_NOHIDESEL) FLAG(Edit, ES_OEMCONVERT)
  CHOICE(Static, SS_LEFT, SS_TYPEMASK) CHOICE(Static, SS_ICON, SS_TYPEMASK) CHOICE(Static, SS_ETCHEDFRAME, SS_TYPEMASK)
  CHOICE(Static, SS_WORDELLIPSIS, SS_ELLIPSISMASK) CHOICE(Static, SS_PATHELLIPSIS, SS_ELLIPSISMASK)
  FLAG(Static, SS_NOTIFY) FLAG(Static, SS_SUNKEN) FLAG(Static, SS_NOPREFIX) FLAG(Static, SS_EDITCONTROL)
  FLAG(ListBox, LBS_NOTIFY) FLAG(ListBox, LBS_SORT) FLAG(ListBox, LBS_OWNERDRAWVARIABLE)
  FLAG(ListBox, LBS_EXTENDEDSEL) FLAG(ListBox, LBS_NODATA) FLAG(ListBox, LBS_COMBOBOX)
  CHOICE(ComboBox, CBS_SIMPLE, 3) CHOICE(ComboBox, CBS_DROPDOWNLIST, 3) FLAG(ComboBox, CBS_SORT)
  FLAG(ComboBox, CBS_HASSTRINGS) FLAG(ComboBox, CBS_LOWERCASE)
  CHOICE(ScrollBar, SBS_VERT, SBS_VERT) FLAG(ScrollBar, SBS_SIZEGRIP) FLAG(ScrollBar, SBS_SIZEBOX)
  FLAG(ScrollBar, SBS_TOPALIGN) FLAG(ScrollBar, SBS_RIGHTALIGN)
  CHOICE(ListView, LVS_ICON, LVS_TYPEMASK) CHOICE(ListView, LVS_REPORT, LVS_TYPEMASK)
  CHOICE(ListView, LVS_LIST, LVS_TYPEMASK) FLAG(ListView, LVS_SINGLESEL) FLAG(ListView, LVS_OWNERDATA)
  FLAG(ListView, LVS_NOSORTHEADER) FLAG(ListView, LVS_ALIGNLEFT) FLAG(ListView, LVS_EDITLABELS)
  FLAG(ListView, LVS_EX_GRIDLINES) FLAG(ListView, LVS_EX_FULLROWSELECT) FLAG(ListView, LVS_EX_CHECKBOXES)
  FLAG(ListView, LVS_EX_DOUBLEBUFFER)
  FLAG(TreeView, TVS_HASBUTTONS) FLAG(TreeView, TVS_HASLINES) FLAG(TreeView, TVS_LINESATROOT)
  FLAG(TreeView, TVS_CHECKBOXES) FLAG(TreeView, TVS_FULLROWSELECT) FLAG(TreeView, TVS_NOHSCROLL)
  FLAG(Tab, TCS_BOTTOM) FLAG(Tab, TCS_VERTICAL) CHOICE(Tab, TCS_BUTTONS, TCS_BUTTONS)
  CHOICE(Tab, TCS_MULTILINE, TCS_MULTILINE) FLAG(Tab, TCS_FIXEDWIDTH) FLAG(Tab, TCS_FOCUSNEVER)
  CHOICE(Toolbar, CCS_TOP, CCS_BOTTOM) CHOICE(Toolbar, CCS_BOTTOM, CCS_BOTTOM) FLAG(Toolbar, CCS_NODIVIDER)
  FLAG(Toolbar, TBSTYLE_FLAT) FLAG(Toolbar, TBSTYLE_LIST) FLAG(Toolbar, TBSTYLE_TOOLTIPS)
  FLAG(Toolbar, TBSTYLE_TRANSPARENT) FLAG(StatusBar, SBARS_SIZEGRIP) FLAG(StatusBar, SBARS_TOOLTIPS)
  FLAG(Trackbar, TBS_AUTOTICKS) CHOICE(Trackbar, TBS_VERT, TBS_VERT) CHOICE(Trackbar, TBS_TOP, TBS_TOP)
  FLAG(Trackbar, TBS_BOTH) FLAG(Trackbar, TBS_NOTICKS) FLAG(Trackbar, TBS_REVERSED)
  FLAG(UpDown, UDS_WRAP) FLAG(UpDown, UDS_SETBUDDYINT) FLAG(UpDown, UDS_ALIGNRIGHT) FLAG(UpDown, UDS_HOTTRACK)
  FLAG(Progress, PBS_SMOOTH) FLAG(Progress, PBS_VERTICAL) FLAG(Progress, PBS_MARQUEE)
  FLAG(Header, HDS_BUTTONS) FLAG(Header, HDS_DRAGDROP) FLAG(Header, HDS_FILTERBAR)
  FLAG(Rebar, RBS_VARHEIGHT) FLAG(Rebar, RBS_BANDBORDERS) FLAG(Rebar, RBS_DBLCLKTOGGLE)
  FLAG(DateTime, DTS_UPDOWN) FLAG(DateTime, DTS_SHOWNONE) CHOICE(DateTime, DTS_LONGDATEFORMAT, 0x000C)
  CHOICE(DateTime, DTS_SHORTDATECENTURYFORMAT, 0x000C) FLAG(DateTime, DTS_RIGHTALIGN)
  FLAG(MonthCalendar, MCS_DAYSTATE) FLAG(MonthCalendar, MCS_WEEKNUMBERS) FLAG(MonthCalendar, MCS_NOTODAY)
#undef FLAG
#undef CHOICE
  // DTS_TIMEFORMAT is the field's 0x0008 with DTS_UPDOWN.
  EXPECT_EQ(static_cast<uint32_t>(DTS_TIMEFORMAT), RowNamed(StyleFamily::DateTime, "DTS_TIMEFORMAT")->value | DTS_UPDOWN);
  EXPECT_EQ(ControlExStyleMessage(StyleFamily::ListView), static_cast<uint32_t>(LVM_GETEXTENDEDLISTVIEWSTYLE));
  EXPECT_EQ(StyleFamilyOfClass(WC_LISTVIEWA), StyleFamily::ListView);
  EXPECT_EQ(StyleFamilyOfClass(TRACKBAR_CLASSA), StyleFamily::Trackbar);
  EXPECT_EQ(StyleFamilyOfClass(DATETIMEPICK_CLASSA), StyleFamily::DateTime);
  EXPECT_EQ(StyleFamilyOfClass(MONTHCAL_CLASSA), StyleFamily::MonthCalendar);
  EXPECT_EQ(StyleFamilyOfClass(REBARCLASSNAMEA), StyleFamily::Rebar);
  EXPECT_EQ(StyleFamilyOfClass(UPDOWN_CLASSA), StyleFamily::UpDown);
}

TEST(ControlStyleTables, AListViewsExtendedStyleAndASuperclassAreRead) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | LVS_SINGLESEL, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // A class of this program's own made from the system's button.
  WNDCLASSA button{};
  GetClassInfoA(nullptr, "BUTTON", &button);
  button.lpszClassName = "TarviskSuperButton";
  button.hInstance = GetModuleHandleA(nullptr);
  RegisterClassA(&button);
  HWND super = CreateWindowExA(0, "TarviskSuperButton", "", WS_POPUP | BS_GROUPBOX, 0, 0, 50, 20, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(super, nullptr);

  Win32WindowSystem ws;
  const DecodedControlStyle lv = DecodeControlStyle(ReadWindowFacts(ws, FromHwnd(list), Facts::Pages));
  EXPECT_EQ(lv.family, StyleFamily::ListView);
  EXPECT_TRUE(lv.exStyleKnown);
  const std::vector<std::string> expected = {"LVS_REPORT", "LVS_SINGLESEL", "LVS_EX_GRIDLINES", "LVS_EX_FULLROWSELECT"};
  EXPECT_EQ(lv.constants, expected);
  const DecodedControlStyle sb = DecodeControlStyle(ReadWindowFacts(ws, FromHwnd(super), Facts::Pages));
  // Wine names the system class a superclass was made from as Windows does;
  // where it would not, the class stays of no known family.
  if (sb.family != StyleFamily::None) {
    EXPECT_EQ(sb.family, StyleFamily::Button);
    EXPECT_EQ(sb.constants, (std::vector<std::string>{"BS_GROUPBOX", "BS_TEXT"}));
  }
  DestroyWindow(super);
  UnregisterClassA("TarviskSuperButton", GetModuleHandleA(nullptr));
  DestroyWindow(list);
}
