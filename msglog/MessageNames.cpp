#include "msglog/MessageNames.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "msglog/NameTables.h"
#include "platform/AsciiCase.h"
#include "platform/WinConstants.h"

namespace msglog {

namespace {

// Each row: a class name, the family of its messages.
struct ClassFamily {
  const char* className;
  ControlFamily family;
};
constexpr ClassFamily kClassFamilies[] = {
    {"Button", ControlFamily::Button},
    {"Edit", ControlFamily::Edit},
    {"RichEdit20A", ControlFamily::Edit},
    {"RichEdit20W", ControlFamily::Edit},
    {"ListBox", ControlFamily::ListBox},
    {"ComboLBox", ControlFamily::ListBox},
    {"ComboBox", ControlFamily::ComboBox},
    {"ScrollBar", ControlFamily::ScrollBar},
    {"Static", ControlFamily::Static},
    {"SysListView32", ControlFamily::ListView},
    {"SysTreeView32", ControlFamily::TreeView},
    {"SysTabControl32", ControlFamily::Tab},
    {"SysHeader32", ControlFamily::Header},
    {"ToolbarWindow32", ControlFamily::Toolbar},
    {"msctls_statusbar32", ControlFamily::StatusBar},
    {"tooltips_class32", ControlFamily::Tooltip},
    {"msctls_progress32", ControlFamily::Progress},
    {"msctls_trackbar32", ControlFamily::Trackbar},
    {"msctls_updown32", ControlFamily::UpDown},
};

// Each row: a flag bit, its name.
constexpr NameRow kSwpFlags[] = {
    {0x0001, "SWP_NOSIZE"},         {0x0002, "SWP_NOMOVE"},        {0x0004, "SWP_NOZORDER"},
    {0x0008, "SWP_NOREDRAW"},       {0x0010, "SWP_NOACTIVATE"},    {0x0020, "SWP_FRAMECHANGED"},
    {0x0040, "SWP_SHOWWINDOW"},     {0x0080, "SWP_HIDEWINDOW"},    {0x0100, "SWP_NOCOPYBITS"},
    {0x0200, "SWP_NOOWNERZORDER"},  {0x0400, "SWP_NOSENDCHANGING"}, {0x2000, "SWP_DEFERERASE"},
    {0x4000, "SWP_ASYNCWINDOWPOS"},
};
constexpr NameRow kMouseKeys[] = {
    {0x0001, "MK_LBUTTON"}, {0x0002, "MK_RBUTTON"},  {0x0004, "MK_SHIFT"},    {0x0008, "MK_CONTROL"},
    {0x0010, "MK_MBUTTON"}, {0x0020, "MK_XBUTTON1"}, {0x0040, "MK_XBUTTON2"},
};

std::string Hex(uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

bool IsCommonControl(ControlFamily f) { return f >= ControlFamily::ListView; }

std::string FlagsText(const NameRow* rows, size_t count, uint32_t flags) {
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t bit = static_cast<uint32_t>(rows[i].value);
    if (flags & bit) {
      if (!out.empty()) out += '|';
      out += rows[i].name;
      flags &= ~bit;
    }
  }
  if (flags) {
    if (!out.empty()) out += '|';
    out += Hex(flags, 1);
  }
  return out.empty() ? "0" : out;
}

bool ParseNumber(const std::string& text, uint32_t* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str(), &end, 0);
  if (*end || v > 0xFFFFFFFFul || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

bool FindName(const NameTable& t, const std::string& name, uint32_t* value) {
  for (size_t i = 0; i < t.count; ++i) {
    if (SameNoCase(t.rows[i].name, name)) {
      *value = static_cast<uint32_t>(t.rows[i].value);
      return true;
    }
  }
  return false;
}

}  // namespace

ControlFamily FamilyOfClass(const std::string& className) {
  for (const ClassFamily& row : kClassFamilies) {
    if (SameNoCase(row.className, className)) return row.family;
  }
  return ControlFamily::None;
}

const char* LookupName(const NameTable& table, int32_t value) {
  size_t lo = 0, hi = table.count;
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (table.rows[mid].value < value) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo < table.count && table.rows[lo].value == value ? table.rows[lo].name : nullptr;
}

NameTable WindowMessageNames() { return SystemTable(SystemTableId::WindowMessages); }
NameTable ControlMessageNames(ControlFamily family) { return ControlTable(family); }

std::string MessageName(uint32_t message, ControlFamily family, const std::string& registeredName) {
  const auto m = static_cast<int32_t>(message);
  if (message < kWmUser) {
    if (family != ControlFamily::None) {
      if (const char* n = LookupName(ControlTable(family), m)) return n;
    }
    if (const char* n = LookupName(WindowMessageNames(), m)) return n;
    return Hex(message, 4);
  }
  if (message < kWmApp) {
    if (family != ControlFamily::None) {
      if (const char* n = LookupName(ControlTable(family), m)) return n;
      if (IsCommonControl(family)) {
        if (const char* n = LookupName(ControlTable(ControlFamily::None), m)) return n;
      }
    }
    return "WM_USER+" + std::to_string(message - kWmUser);
  }
  if (message < kFirstRegisteredMessage) return "WM_APP+" + std::to_string(message - kWmApp);
  if (message <= 0xFFFF && !registeredName.empty()) return registeredName;
  return Hex(message, 4);
}

bool ParseMessage(const std::string& raw, uint32_t* message) {
  std::string text;
  for (char c : raw) {
    if (!std::isspace(static_cast<unsigned char>(c))) text += c;
  }
  if (ParseNumber(text, message)) return true;
  for (const auto& [prefix, base] : {std::pair<const char*, uint32_t>{"WM_USER+", kWmUser},
                                     std::pair<const char*, uint32_t>{"WM_APP+", kWmApp}}) {
    const std::string p = prefix;
    uint32_t n = 0;
    if (text.size() > p.size() && SameNoCase(prefix, text.substr(0, p.size())) &&
        ParseNumber(text.substr(p.size()), &n) && n < 0x4000 && (base == kWmApp || n < 0x7C00)) {
      *message = base + n;
      return true;
    }
  }
  if (FindName(WindowMessageNames(), text, message)) return true;
  for (int f = 0; f <= static_cast<int>(ControlFamily::UpDown); ++f) {
    if (FindName(ControlTable(static_cast<ControlFamily>(f)), text, message)) return true;
  }
  return false;
}

const char* CommandCodeName(ControlFamily family, uint32_t code) {
  SystemTableId id;
  switch (family) {
    case ControlFamily::Button: id = SystemTableId::ButtonCodes; break;
    case ControlFamily::Edit: id = SystemTableId::EditCodes; break;
    case ControlFamily::ListBox: id = SystemTableId::ListBoxCodes; break;
    case ControlFamily::ComboBox: id = SystemTableId::ComboBoxCodes; break;
    case ControlFamily::Static: id = SystemTableId::StaticCodes; break;
    default: return nullptr;
  }
  // LBN_ERRSPACE and CBN_ERRSPACE are -2 as 16-bit codes.
  return LookupName(SystemTable(id), static_cast<int16_t>(code & 0xFFFF));
}

const char* NotifyCodeName(int32_t code, ControlFamily family) {
  SystemTableId own = SystemTableId::Count;
  switch (family) {
    case ControlFamily::ListView: own = SystemTableId::ListViewNotifications; break;
    case ControlFamily::TreeView: own = SystemTableId::TreeViewNotifications; break;
    case ControlFamily::Tab: own = SystemTableId::TabNotifications; break;
    case ControlFamily::Header: own = SystemTableId::HeaderNotifications; break;
    case ControlFamily::Toolbar: own = SystemTableId::ToolbarNotifications; break;
    case ControlFamily::Tooltip: own = SystemTableId::TooltipNotifications; break;
    case ControlFamily::UpDown: own = SystemTableId::UpDownNotifications; break;
    default: break;
  }
  if (own != SystemTableId::Count) {
    if (const char* n = LookupName(SystemTable(own), code)) return n;
  }
  if (const char* n = LookupName(SystemTable(SystemTableId::CommonNotifications), code)) return n;
  for (int id = static_cast<int>(SystemTableId::CommonNotifications);
       id < static_cast<int>(SystemTableId::Count); ++id) {
    if (const char* n = LookupName(SystemTable(static_cast<SystemTableId>(id)), code)) return n;
  }
  return nullptr;
}

const char* SysCommandName(uint32_t command) {
  return LookupName(SystemTable(SystemTableId::SysCommands), static_cast<int32_t>(command & 0xFFF0));
}

const char* HitTestName(int32_t code) { return LookupName(SystemTable(SystemTableId::HitTests), code); }

std::string VirtualKeyName(uint32_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (const char* n = LookupName(SystemTable(SystemTableId::VirtualKeys), static_cast<int32_t>(key))) return n;
  return Hex(key, 2);
}

std::string SwpFlagsText(uint32_t flags) {
  return FlagsText(kSwpFlags, sizeof kSwpFlags / sizeof kSwpFlags[0], flags);
}

std::string MouseKeysText(uint32_t keys) {
  return FlagsText(kMouseKeys, sizeof kMouseKeys / sizeof kMouseKeys[0], keys);
}

}  // namespace msglog
