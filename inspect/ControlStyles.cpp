#include "inspect/ControlStyles.h"

#include <cctype>

#include "inspect/StyleTables.h"
#include "inspect/WindowInfo.h"
#include "platform/AsciiCase.h"

namespace {

// Rows as in ControlStyleRow: mask, value, name, then the condition's mask and
// value where the name depends on another bit (a vertical track bar's TBS_TOP
// is TBS_LEFT). Aliases of one value (BS_RIGHTBUTTON, TCS_RIGHT) are left out.
constexpr ControlStyleRow kButton[] = {
    {0x000F, 0x0000, "BS_PUSHBUTTON"},    {0x000F, 0x0001, "BS_DEFPUSHBUTTON"},
    {0x000F, 0x0002, "BS_CHECKBOX"},      {0x000F, 0x0003, "BS_AUTOCHECKBOX"},
    {0x000F, 0x0004, "BS_RADIOBUTTON"},   {0x000F, 0x0005, "BS_3STATE"},
    {0x000F, 0x0006, "BS_AUTO3STATE"},    {0x000F, 0x0007, "BS_GROUPBOX"},
    {0x000F, 0x0008, "BS_USERBUTTON"},    {0x000F, 0x0009, "BS_AUTORADIOBUTTON"},
    {0x000F, 0x000A, "BS_PUSHBOX"},       {0x000F, 0x000B, "BS_OWNERDRAW"},
    {0x000F, 0x000C, "BS_SPLITBUTTON"},   {0x000F, 0x000D, "BS_DEFSPLITBUTTON"},
    {0x000F, 0x000E, "BS_COMMANDLINK"},   {0x000F, 0x000F, "BS_DEFCOMMANDLINK"},
    {0x0020, 0x0020, "BS_LEFTTEXT"},
    {0x00C0, 0x0000, "BS_TEXT"},          {0x00C0, 0x0040, "BS_ICON"},
    {0x00C0, 0x0080, "BS_BITMAP"},
    {0x0300, 0x0100, "BS_LEFT"},          {0x0300, 0x0200, "BS_RIGHT"},
    {0x0300, 0x0300, "BS_CENTER"},
    {0x0C00, 0x0400, "BS_TOP"},           {0x0C00, 0x0800, "BS_BOTTOM"},
    {0x0C00, 0x0C00, "BS_VCENTER"},
    {0x1000, 0x1000, "BS_PUSHLIKE"},      {0x2000, 0x2000, "BS_MULTILINE"},
    {0x4000, 0x4000, "BS_NOTIFY"},        {0x8000, 0x8000, "BS_FLAT"},
};

constexpr ControlStyleRow kEdit[] = {
    {0x0003, 0x0000, "ES_LEFT"},        {0x0003, 0x0001, "ES_CENTER"},
    {0x0003, 0x0002, "ES_RIGHT"},       {0x0004, 0x0004, "ES_MULTILINE"},
    {0x0008, 0x0008, "ES_UPPERCASE"},   {0x0010, 0x0010, "ES_LOWERCASE"},
    {0x0020, 0x0020, "ES_PASSWORD"},    {0x0040, 0x0040, "ES_AUTOVSCROLL"},
    {0x0080, 0x0080, "ES_AUTOHSCROLL"}, {0x0100, 0x0100, "ES_NOHIDESEL"},
    {0x0400, 0x0400, "ES_OEMCONVERT"},  {0x0800, 0x0800, "ES_READONLY"},
    {0x1000, 0x1000, "ES_WANTRETURN"},  {0x2000, 0x2000, "ES_NUMBER"},
};

constexpr ControlStyleRow kStatic[] = {
    {0x001F, 0x0000, "SS_LEFT"},          {0x001F, 0x0001, "SS_CENTER"},
    {0x001F, 0x0002, "SS_RIGHT"},         {0x001F, 0x0003, "SS_ICON"},
    {0x001F, 0x0004, "SS_BLACKRECT"},     {0x001F, 0x0005, "SS_GRAYRECT"},
    {0x001F, 0x0006, "SS_WHITERECT"},     {0x001F, 0x0007, "SS_BLACKFRAME"},
    {0x001F, 0x0008, "SS_GRAYFRAME"},     {0x001F, 0x0009, "SS_WHITEFRAME"},
    {0x001F, 0x000A, "SS_USERITEM"},      {0x001F, 0x000B, "SS_SIMPLE"},
    {0x001F, 0x000C, "SS_LEFTNOWORDWRAP"}, {0x001F, 0x000D, "SS_OWNERDRAW"},
    {0x001F, 0x000E, "SS_BITMAP"},        {0x001F, 0x000F, "SS_ENHMETAFILE"},
    {0x001F, 0x0010, "SS_ETCHEDHORZ"},    {0x001F, 0x0011, "SS_ETCHEDVERT"},
    {0x001F, 0x0012, "SS_ETCHEDFRAME"},
    {0x0040, 0x0040, "SS_REALSIZECONTROL"}, {0x0080, 0x0080, "SS_NOPREFIX"},
    {0x0100, 0x0100, "SS_NOTIFY"},        {0x0200, 0x0200, "SS_CENTERIMAGE"},
    {0x0400, 0x0400, "SS_RIGHTJUST"},     {0x0800, 0x0800, "SS_REALSIZEIMAGE"},
    {0x1000, 0x1000, "SS_SUNKEN"},        {0x2000, 0x2000, "SS_EDITCONTROL"},
    {0xC000, 0x4000, "SS_ENDELLIPSIS"},   {0xC000, 0x8000, "SS_PATHELLIPSIS"},
    {0xC000, 0xC000, "SS_WORDELLIPSIS"},
};

constexpr ControlStyleRow kListBox[] = {
    {0x0001, 0x0001, "LBS_NOTIFY"},           {0x0002, 0x0002, "LBS_SORT"},
    {0x0004, 0x0004, "LBS_NOREDRAW"},         {0x0008, 0x0008, "LBS_MULTIPLESEL"},
    {0x0010, 0x0010, "LBS_OWNERDRAWFIXED"},   {0x0020, 0x0020, "LBS_OWNERDRAWVARIABLE"},
    {0x0040, 0x0040, "LBS_HASSTRINGS"},       {0x0080, 0x0080, "LBS_USETABSTOPS"},
    {0x0100, 0x0100, "LBS_NOINTEGRALHEIGHT"}, {0x0200, 0x0200, "LBS_MULTICOLUMN"},
    {0x0400, 0x0400, "LBS_WANTKEYBOARDINPUT"}, {0x0800, 0x0800, "LBS_EXTENDEDSEL"},
    {0x1000, 0x1000, "LBS_DISABLENOSCROLL"},  {0x2000, 0x2000, "LBS_NODATA"},
    {0x4000, 0x4000, "LBS_NOSEL"},            {0x8000, 0x8000, "LBS_COMBOBOX"},
};

constexpr ControlStyleRow kComboBox[] = {
    {0x0003, 0x0001, "CBS_SIMPLE"},          {0x0003, 0x0002, "CBS_DROPDOWN"},
    {0x0003, 0x0003, "CBS_DROPDOWNLIST"},    {0x0010, 0x0010, "CBS_OWNERDRAWFIXED"},
    {0x0020, 0x0020, "CBS_OWNERDRAWVARIABLE"}, {0x0040, 0x0040, "CBS_AUTOHSCROLL"},
    {0x0080, 0x0080, "CBS_OEMCONVERT"},      {0x0100, 0x0100, "CBS_SORT"},
    {0x0200, 0x0200, "CBS_HASSTRINGS"},      {0x0400, 0x0400, "CBS_NOINTEGRALHEIGHT"},
    {0x0800, 0x0800, "CBS_DISABLENOSCROLL"}, {0x2000, 0x2000, "CBS_UPPERCASE"},
    {0x4000, 0x4000, "CBS_LOWERCASE"},
};

// The alignment bits name a side of the bar, which its orientation decides.
constexpr ControlStyleRow kScrollBar[] = {
    {0x0001, 0x0000, "SBS_HORZ"},        {0x0001, 0x0001, "SBS_VERT"},
    {0x0002, 0x0002, "SBS_TOPALIGN", 0x0019, 0x0000},
    {0x0002, 0x0002, "SBS_LEFTALIGN", 0x0019, 0x0001},
    {0x0002, 0x0002, "SBS_SIZEBOXTOPLEFTALIGN", 0x0008, 0x0008},
    {0x0004, 0x0004, "SBS_BOTTOMALIGN", 0x0019, 0x0000},
    {0x0004, 0x0004, "SBS_RIGHTALIGN", 0x0019, 0x0001},
    {0x0004, 0x0004, "SBS_SIZEBOXBOTTOMRIGHTALIGN", 0x0008, 0x0008},
    {0x0008, 0x0008, "SBS_SIZEBOX"},     {0x0010, 0x0010, "SBS_SIZEGRIP"},
};

constexpr ControlStyleRow kListView[] = {
    {0x0003, 0x0000, "LVS_ICON"},          {0x0003, 0x0001, "LVS_REPORT"},
    {0x0003, 0x0002, "LVS_SMALLICON"},     {0x0003, 0x0003, "LVS_LIST"},
    {0x0004, 0x0004, "LVS_SINGLESEL"},     {0x0008, 0x0008, "LVS_SHOWSELALWAYS"},
    {0x0010, 0x0010, "LVS_SORTASCENDING"}, {0x0020, 0x0020, "LVS_SORTDESCENDING"},
    {0x0040, 0x0040, "LVS_SHAREIMAGELISTS"}, {0x0080, 0x0080, "LVS_NOLABELWRAP"},
    {0x0100, 0x0100, "LVS_AUTOARRANGE"},   {0x0200, 0x0200, "LVS_EDITLABELS"},
    {0x0400, 0x0400, "LVS_OWNERDRAWFIXED"}, {0x0800, 0x0800, "LVS_ALIGNLEFT"},
    {0x1000, 0x1000, "LVS_OWNERDATA"},     {0x2000, 0x2000, "LVS_NOSCROLL"},
    {0x4000, 0x4000, "LVS_NOCOLUMNHEADER"}, {0x8000, 0x8000, "LVS_NOSORTHEADER"},
};

constexpr ControlStyleRow kListViewEx[] = {
    {0x00000001, 0x00000001, "LVS_EX_GRIDLINES"},        {0x00000002, 0x00000002, "LVS_EX_SUBITEMIMAGES"},
    {0x00000004, 0x00000004, "LVS_EX_CHECKBOXES"},       {0x00000008, 0x00000008, "LVS_EX_TRACKSELECT"},
    {0x00000010, 0x00000010, "LVS_EX_HEADERDRAGDROP"},   {0x00000020, 0x00000020, "LVS_EX_FULLROWSELECT"},
    {0x00000040, 0x00000040, "LVS_EX_ONECLICKACTIVATE"}, {0x00000080, 0x00000080, "LVS_EX_TWOCLICKACTIVATE"},
    {0x00000100, 0x00000100, "LVS_EX_FLATSB"},           {0x00000200, 0x00000200, "LVS_EX_REGIONAL"},
    {0x00000400, 0x00000400, "LVS_EX_INFOTIP"},          {0x00000800, 0x00000800, "LVS_EX_UNDERLINEHOT"},
    {0x00001000, 0x00001000, "LVS_EX_UNDERLINECOLD"},    {0x00002000, 0x00002000, "LVS_EX_MULTIWORKAREAS"},
    {0x00004000, 0x00004000, "LVS_EX_LABELTIP"},         {0x00008000, 0x00008000, "LVS_EX_BORDERSELECT"},
    {0x00010000, 0x00010000, "LVS_EX_DOUBLEBUFFER"},     {0x00020000, 0x00020000, "LVS_EX_HIDELABELS"},
    {0x00040000, 0x00040000, "LVS_EX_SINGLEROW"},        {0x00080000, 0x00080000, "LVS_EX_SNAPTOGRID"},
    {0x00100000, 0x00100000, "LVS_EX_SIMPLESELECT"},     {0x00200000, 0x00200000, "LVS_EX_JUSTIFYCOLUMNS"},
    {0x00400000, 0x00400000, "LVS_EX_TRANSPARENTBKGND"}, {0x00800000, 0x00800000, "LVS_EX_TRANSPARENTSHADOWTEXT"},
    {0x01000000, 0x01000000, "LVS_EX_AUTOAUTOARRANGE"},  {0x02000000, 0x02000000, "LVS_EX_HEADERINALLVIEWS"},
    {0x08000000, 0x08000000, "LVS_EX_AUTOCHECKSELECT"},  {0x10000000, 0x10000000, "LVS_EX_AUTOSIZECOLUMNS"},
    {0x40000000, 0x40000000, "LVS_EX_COLUMNSNAPPOINTS"}, {0x80000000, 0x80000000, "LVS_EX_COLUMNOVERFLOW"},
};

constexpr ControlStyleRow kTreeView[] = {
    {0x0001, 0x0001, "TVS_HASBUTTONS"},     {0x0002, 0x0002, "TVS_HASLINES"},
    {0x0004, 0x0004, "TVS_LINESATROOT"},    {0x0008, 0x0008, "TVS_EDITLABELS"},
    {0x0010, 0x0010, "TVS_DISABLEDRAGDROP"}, {0x0020, 0x0020, "TVS_SHOWSELALWAYS"},
    {0x0040, 0x0040, "TVS_RTLREADING"},     {0x0080, 0x0080, "TVS_NOTOOLTIPS"},
    {0x0100, 0x0100, "TVS_CHECKBOXES"},     {0x0200, 0x0200, "TVS_TRACKSELECT"},
    {0x0400, 0x0400, "TVS_SINGLEEXPAND"},   {0x0800, 0x0800, "TVS_INFOTIP"},
    {0x1000, 0x1000, "TVS_FULLROWSELECT"},  {0x2000, 0x2000, "TVS_NOSCROLL"},
    {0x4000, 0x4000, "TVS_NONEVENHEIGHT"},  {0x8000, 0x8000, "TVS_NOHSCROLL"},
};

constexpr ControlStyleRow kTab[] = {
    {0x0001, 0x0001, "TCS_SCROLLOPPOSITE"}, {0x0002, 0x0002, "TCS_BOTTOM", 0x0080, 0x0000},
    {0x0002, 0x0002, "TCS_RIGHT", 0x0080, 0x0080}, {0x0004, 0x0004, "TCS_MULTISELECT"},
    {0x0008, 0x0008, "TCS_FLATBUTTONS"},    {0x0010, 0x0010, "TCS_FORCEICONLEFT"},
    {0x0020, 0x0020, "TCS_FORCELABELLEFT"}, {0x0040, 0x0040, "TCS_HOTTRACK"},
    {0x0080, 0x0080, "TCS_VERTICAL"},
    {0x0100, 0x0000, "TCS_TABS"},           {0x0100, 0x0100, "TCS_BUTTONS"},
    {0x0200, 0x0000, "TCS_SINGLELINE"},     {0x0200, 0x0200, "TCS_MULTILINE"},
    {0x0400, 0x0400, "TCS_FIXEDWIDTH"},     {0x0800, 0x0800, "TCS_RAGGEDRIGHT"},
    {0x1000, 0x1000, "TCS_FOCUSONBUTTONDOWN"}, {0x2000, 0x2000, "TCS_OWNERDRAWFIXED"},
    {0x4000, 0x4000, "TCS_TOOLTIPS"},       {0x8000, 0x8000, "TCS_FOCUSNEVER"},
};

// The CCS_ styles every bar (tool bar, status bar, rebar) takes in its low byte.
#define TARVISK_CCS_ROWS                                                                          \
  {0x0003, 0x0001, "CCS_TOP"}, {0x0003, 0x0002, "CCS_NOMOVEY"}, {0x0003, 0x0003, "CCS_BOTTOM"},   \
      {0x0004, 0x0004, "CCS_NORESIZE"}, {0x0008, 0x0008, "CCS_NOPARENTALIGN"},                    \
      {0x0020, 0x0020, "CCS_ADJUSTABLE"}, {0x0040, 0x0040, "CCS_NODIVIDER"},                      \
      {0x0080, 0x0080, "CCS_VERT"}

constexpr ControlStyleRow kToolbar[] = {
    TARVISK_CCS_ROWS,
    {0x0100, 0x0100, "TBSTYLE_TOOLTIPS"},    {0x0200, 0x0200, "TBSTYLE_WRAPABLE"},
    {0x0400, 0x0400, "TBSTYLE_ALTDRAG"},     {0x0800, 0x0800, "TBSTYLE_FLAT"},
    {0x1000, 0x1000, "TBSTYLE_LIST"},        {0x2000, 0x2000, "TBSTYLE_CUSTOMERASE"},
    {0x4000, 0x4000, "TBSTYLE_REGISTERDROP"}, {0x8000, 0x8000, "TBSTYLE_TRANSPARENT"},
};

constexpr ControlStyleRow kStatusBar[] = {
    TARVISK_CCS_ROWS,
    {0x0100, 0x0100, "SBARS_SIZEGRIP"},
    {0x0800, 0x0800, "SBARS_TOOLTIPS"},
};

constexpr ControlStyleRow kRebar[] = {
    TARVISK_CCS_ROWS,
    {0x0100, 0x0100, "RBS_TOOLTIPS"},       {0x0200, 0x0200, "RBS_VARHEIGHT"},
    {0x0400, 0x0400, "RBS_BANDBORDERS"},    {0x0800, 0x0800, "RBS_FIXEDORDER"},
    {0x1000, 0x1000, "RBS_REGISTERDROP"},   {0x2000, 0x2000, "RBS_AUTOSIZE"},
    {0x4000, 0x4000, "RBS_VERTICALGRIPPER"}, {0x8000, 0x8000, "RBS_DBLCLKTOGGLE"},
};
#undef TARVISK_CCS_ROWS

constexpr ControlStyleRow kTrackbar[] = {
    {0x0001, 0x0001, "TBS_AUTOTICKS"},
    {0x0002, 0x0000, "TBS_HORZ"},          {0x0002, 0x0002, "TBS_VERT"},
    {0x0004, 0x0000, "TBS_BOTTOM", 0x000A, 0x0000}, {0x0004, 0x0004, "TBS_TOP", 0x000A, 0x0000},
    {0x0004, 0x0000, "TBS_RIGHT", 0x000A, 0x0002},  {0x0004, 0x0004, "TBS_LEFT", 0x000A, 0x0002},
    {0x0008, 0x0008, "TBS_BOTH"},          {0x0010, 0x0010, "TBS_NOTICKS"},
    {0x0020, 0x0020, "TBS_ENABLESELRANGE"}, {0x0040, 0x0040, "TBS_FIXEDLENGTH"},
    {0x0080, 0x0080, "TBS_NOTHUMB"},       {0x0100, 0x0100, "TBS_TOOLTIPS"},
    {0x0200, 0x0200, "TBS_REVERSED"},      {0x0400, 0x0400, "TBS_DOWNISLEFT"},
    {0x0800, 0x0800, "TBS_NOTIFYBEFOREMOVE"}, {0x1000, 0x1000, "TBS_TRANSPARENTBKGND"},
};

constexpr ControlStyleRow kUpDown[] = {
    {0x0001, 0x0001, "UDS_WRAP"},       {0x0002, 0x0002, "UDS_SETBUDDYINT"},
    {0x0004, 0x0004, "UDS_ALIGNRIGHT"}, {0x0008, 0x0008, "UDS_ALIGNLEFT"},
    {0x0010, 0x0010, "UDS_AUTOBUDDY"},  {0x0020, 0x0020, "UDS_ARROWKEYS"},
    {0x0040, 0x0040, "UDS_HORZ"},       {0x0080, 0x0080, "UDS_NOTHOUSANDS"},
    {0x0100, 0x0100, "UDS_HOTTRACK"},
};

constexpr ControlStyleRow kProgress[] = {
    {0x0001, 0x0001, "PBS_SMOOTH"},  {0x0004, 0x0004, "PBS_VERTICAL"},
    {0x0008, 0x0008, "PBS_MARQUEE"}, {0x0010, 0x0010, "PBS_SMOOTHREVERSE"},
};

constexpr ControlStyleRow kHeader[] = {
    {0x0002, 0x0002, "HDS_BUTTONS"},   {0x0004, 0x0004, "HDS_HOTTRACK"},
    {0x0008, 0x0008, "HDS_HIDDEN"},    {0x0040, 0x0040, "HDS_DRAGDROP"},
    {0x0080, 0x0080, "HDS_FULLDRAG"},  {0x0100, 0x0100, "HDS_FILTERBAR"},
    {0x0200, 0x0200, "HDS_FLAT"},      {0x0400, 0x0400, "HDS_CHECKBOXES"},
    {0x0800, 0x0800, "HDS_NOSIZING"},  {0x1000, 0x1000, "HDS_OVERFLOW"},
};

// DTS_TIMEFORMAT is 0x0009: the format field's 0x0008 with DTS_UPDOWN, which
// stays a check box of its own.
constexpr ControlStyleRow kDateTime[] = {
    {0x0001, 0x0001, "DTS_UPDOWN"},          {0x0002, 0x0002, "DTS_SHOWNONE"},
    {0x000C, 0x0000, "DTS_SHORTDATEFORMAT"}, {0x000C, 0x0004, "DTS_LONGDATEFORMAT"},
    {0x000C, 0x000C, "DTS_SHORTDATECENTURYFORMAT"}, {0x000C, 0x0008, "DTS_TIMEFORMAT"},
    {0x0010, 0x0010, "DTS_APPCANPARSE"},     {0x0020, 0x0020, "DTS_RIGHTALIGN"},
};

constexpr ControlStyleRow kMonthCalendar[] = {
    {0x0001, 0x0001, "MCS_DAYSTATE"},      {0x0002, 0x0002, "MCS_MULTISELECT"},
    {0x0004, 0x0004, "MCS_WEEKNUMBERS"},   {0x0008, 0x0008, "MCS_NOTODAYCIRCLE"},
    {0x0010, 0x0010, "MCS_NOTODAY"},       {0x0040, 0x0040, "MCS_NOTRAILINGDATES"},
    {0x0080, 0x0080, "MCS_SHORTDAYSOFWEEK"}, {0x0100, 0x0100, "MCS_NOSELCHANGEONNAV"},
};

template <size_t N>
constexpr ControlStyleTable Table(const ControlStyleRow (&rows)[N]) {
  return {rows, N};
}

}  // namespace

ControlStyleTable ControlStyleRows(StyleFamily family) {
  switch (family) {
    case StyleFamily::Button: return Table(kButton);
    case StyleFamily::Edit: return Table(kEdit);
    case StyleFamily::Static: return Table(kStatic);
    case StyleFamily::ListBox: return Table(kListBox);
    case StyleFamily::ComboBox: return Table(kComboBox);
    case StyleFamily::ScrollBar: return Table(kScrollBar);
    case StyleFamily::ListView: return Table(kListView);
    case StyleFamily::TreeView: return Table(kTreeView);
    case StyleFamily::Tab: return Table(kTab);
    case StyleFamily::Toolbar: return Table(kToolbar);
    case StyleFamily::StatusBar: return Table(kStatusBar);
    case StyleFamily::Trackbar: return Table(kTrackbar);
    case StyleFamily::UpDown: return Table(kUpDown);
    case StyleFamily::Progress: return Table(kProgress);
    case StyleFamily::Header: return Table(kHeader);
    case StyleFamily::Rebar: return Table(kRebar);
    case StyleFamily::DateTime: return Table(kDateTime);
    case StyleFamily::MonthCalendar: return Table(kMonthCalendar);
    case StyleFamily::None: break;
  }
  return {nullptr, 0};
}

ControlStyleTable ControlExStyleRows(StyleFamily family) {
  return family == StyleFamily::ListView ? Table(kListViewEx) : ControlStyleTable{nullptr, 0};
}


bool RowApplies(const ControlStyleRow& row, uint32_t style) {
  return (style & row.mask) == row.value && (style & row.condMask) == row.condValue;
}

std::vector<std::string> ControlStyleNames(ControlStyleTable table, uint32_t style) {
  std::vector<std::string> names;
  for (const ControlStyleRow& row : table) {
    if (RowApplies(row, style)) names.push_back(row.name);
  }
  return names;
}

DecodedControlStyle DecodeControlStyle(const WindowFacts& facts) {
  DecodedControlStyle d;
  d.family = StyleFamilyOfWindow(facts.className, facts.baseClassName);
  if (d.family == StyleFamily::None) return d;
  d.constants = ControlStyleNames(ControlStyleRows(d.family), facts.style);
  d.exStyleKnown = facts.hasControlExStyle && ControlExStyleMessage(d.family) != 0;
  if (d.exStyleKnown) {
    for (std::string& name : ControlStyleNames(ControlExStyleRows(d.family), facts.controlExStyle)) {
      d.constants.push_back(std::move(name));
    }
  }
  return d;
}

std::string ControlStyleText(const DecodedControlStyle& decoded, const DisplayOptions& opts) {
  std::string text;
  for (const std::string& name : decoded.constants) {
    if (!text.empty()) text += StyleSeparator;
    text += name;
  }
  return ApplyConstsCase(text, opts);
}
