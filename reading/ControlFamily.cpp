#include "reading/ControlFamily.h"

#include "platform/AsciiCase.h"

namespace {

// Each row: a class name, its family.
struct ClassRow {
  const char* className;
  StyleFamily family;
};
constexpr ClassRow kClasses[] = {
    {"Button", StyleFamily::Button},
    {"Edit", StyleFamily::Edit},
    {"RichEdit", StyleFamily::Edit},
    {"RichEdit20A", StyleFamily::Edit},
    {"RichEdit20W", StyleFamily::Edit},
    {"RICHEDIT50W", StyleFamily::Edit},
    {"Static", StyleFamily::Static},
    {"ListBox", StyleFamily::ListBox},
    {"ComboLBox", StyleFamily::ListBox},
    {"ComboBox", StyleFamily::ComboBox},
    {"ScrollBar", StyleFamily::ScrollBar},
    {"SysListView32", StyleFamily::ListView},
    {"SysTreeView32", StyleFamily::TreeView},
    {"SysTabControl32", StyleFamily::Tab},
    {"ToolbarWindow32", StyleFamily::Toolbar},
    {"msctls_statusbar32", StyleFamily::StatusBar},
    {"msctls_trackbar32", StyleFamily::Trackbar},
    {"msctls_updown32", StyleFamily::UpDown},
    {"msctls_progress32", StyleFamily::Progress},
    {"SysHeader32", StyleFamily::Header},
    {"ReBarWindow32", StyleFamily::Rebar},
    {"SysDateTimePick32", StyleFamily::DateTime},
    {"SysMonthCal32", StyleFamily::MonthCalendar},
};

// In the order of StyleFamily.
constexpr const char* kFamilyNames[] = {
    "",        "Button",   "Edit",   "Static",   "ListBox",  "ComboBox", "ScrollBar",
    "ListView", "TreeView", "Tab",   "Toolbar",  "StatusBar", "Trackbar", "UpDown",
    "Progress", "Header",  "Rebar",  "DateTime", "MonthCalendar"};

constexpr uint32_t kListViewGetExStyle = 0x1037;  // LVM_GETEXTENDEDLISTVIEWSTYLE

}  // namespace

const char* StyleFamilyName(StyleFamily family) { return kFamilyNames[static_cast<int>(family)]; }

StyleFamily StyleFamilyOfClass(const std::string& className) {
  for (const ClassRow& row : kClasses) {
    if (SameNoCase(row.className, className)) return row.family;
  }
  return StyleFamily::None;
}

StyleFamily StyleFamilyOfWindow(const std::string& className, const std::string& baseClassName) {
  const StyleFamily own = StyleFamilyOfClass(className);
  return own != StyleFamily::None ? own : StyleFamilyOfClass(baseClassName);
}

uint32_t ControlExStyleMessage(StyleFamily family) {
  return family == StyleFamily::ListView ? kListViewGetExStyle : 0;
}
