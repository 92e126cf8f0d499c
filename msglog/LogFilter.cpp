#include "msglog/LogFilter.h"

#include <cstdio>
#include <cstdlib>

namespace msglog {

namespace {

// Each row: first message, last message, group. Ranges not listed are Other.
struct GroupRange {
  uint32_t first, last;
  MessageGroup group;
};
constexpr GroupRange kGroupRanges[] = {
    {0x0001, 0x0003, MessageGroup::WindowManagement},  // WM_CREATE, WM_DESTROY, WM_MOVE
    {0x0005, 0x0006, MessageGroup::WindowManagement},  // WM_SIZE, WM_ACTIVATE
    {0x0007, 0x0008, MessageGroup::Keyboard},          // WM_SETFOCUS, WM_KILLFOCUS
    {0x000A, 0x000A, MessageGroup::WindowManagement},  // WM_ENABLE
    {0x000B, 0x000B, MessageGroup::Painting},          // WM_SETREDRAW
    {0x000C, 0x000E, MessageGroup::WindowManagement},  // WM_SETTEXT .. WM_GETTEXTLENGTH
    {0x000F, 0x000F, MessageGroup::Painting},          // WM_PAINT
    {0x0010, 0x0010, MessageGroup::WindowManagement},  // WM_CLOSE
    {0x0012, 0x0013, MessageGroup::WindowManagement},  // WM_QUIT, WM_QUERYOPEN
    {0x0014, 0x0014, MessageGroup::Painting},          // WM_ERASEBKGND
    {0x0018, 0x0018, MessageGroup::WindowManagement},  // WM_SHOWWINDOW
    {0x001C, 0x001C, MessageGroup::WindowManagement},  // WM_ACTIVATEAPP
    {0x001F, 0x001F, MessageGroup::WindowManagement},  // WM_CANCELMODE
    {0x0020, 0x0021, MessageGroup::Mouse},             // WM_SETCURSOR, WM_MOUSEACTIVATE
    {0x0022, 0x0022, MessageGroup::WindowManagement},  // WM_CHILDACTIVATE
    {0x0024, 0x0024, MessageGroup::WindowManagement},  // WM_GETMINMAXINFO
    {0x0026, 0x0027, MessageGroup::Painting},          // WM_PAINTICON, WM_ICONERASEBKGND
    {0x002B, 0x002C, MessageGroup::Painting},          // WM_DRAWITEM, WM_MEASUREITEM
    {0x0030, 0x0031, MessageGroup::WindowManagement},  // WM_SETFONT, WM_GETFONT
    {0x0046, 0x0047, MessageGroup::WindowManagement},  // WM_WINDOWPOSCHANGING/ED
    {0x004E, 0x004E, MessageGroup::ControlNotifications},  // WM_NOTIFY
    {0x007C, 0x007D, MessageGroup::WindowManagement},  // WM_STYLECHANGING/ED
    {0x007F, 0x0080, MessageGroup::WindowManagement},  // WM_GETICON, WM_SETICON
    {0x0081, 0x0086, MessageGroup::NonClient},         // WM_NCCREATE .. WM_NCACTIVATE
    {0x0087, 0x0087, MessageGroup::Keyboard},          // WM_GETDLGCODE
    {0x0088, 0x0088, MessageGroup::Painting},          // WM_SYNCPAINT
    {0x00A0, 0x00AD, MessageGroup::NonClient},         // non-client mouse messages
    {0x0100, 0x0109, MessageGroup::Keyboard},          // WM_KEYDOWN .. WM_UNICHAR
    {0x010D, 0x010F, MessageGroup::Keyboard},          // IME composition
    {0x0111, 0x0111, MessageGroup::ControlNotifications},  // WM_COMMAND
    {0x0112, 0x0112, MessageGroup::WindowManagement},  // WM_SYSCOMMAND
    {0x0113, 0x0113, MessageGroup::Timer},             // WM_TIMER
    {0x0114, 0x0115, MessageGroup::ControlNotifications},  // WM_HSCROLL, WM_VSCROLL
    {0x0118, 0x0118, MessageGroup::Timer},             // the system's caret timer
    {0x0132, 0x0138, MessageGroup::Painting},          // WM_CTLCOLOR*
    {0x0200, 0x020E, MessageGroup::Mouse},             // WM_MOUSEMOVE .. WM_MOUSEHWHEEL
    {0x0210, 0x0210, MessageGroup::ControlNotifications},  // WM_PARENTNOTIFY
    {0x0214, 0x0214, MessageGroup::WindowManagement},  // WM_SIZING
    {0x0215, 0x0215, MessageGroup::Mouse},             // WM_CAPTURECHANGED
    {0x0216, 0x0216, MessageGroup::WindowManagement},  // WM_MOVING
    {0x0231, 0x0232, MessageGroup::WindowManagement},  // WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE
    {0x0281, 0x0291, MessageGroup::Keyboard},          // IME
    {0x02A0, 0x02A0, MessageGroup::NonClient},         // WM_NCMOUSEHOVER
    {0x02A1, 0x02A1, MessageGroup::Mouse},             // WM_MOUSEHOVER
    {0x02A2, 0x02A2, MessageGroup::NonClient},         // WM_NCMOUSELEAVE
    {0x02A3, 0x02A3, MessageGroup::Mouse},             // WM_MOUSELEAVE
    {0x0312, 0x0312, MessageGroup::Keyboard},          // WM_HOTKEY
    {0x0317, 0x0318, MessageGroup::Painting},          // WM_PRINT, WM_PRINTCLIENT
};

const char* const kGroupNames[kGroupCount] = {
    "Mouse", "Keyboard", "Window management", "Painting", "Non-client", "Control notifications",
    "Timer", "Other"};

std::string Numbers(const std::set<uint32_t>& values) {
  std::string s;
  for (uint32_t v : values) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", v);
    if (!s.empty()) s += ',';
    s += buf;
  }
  return s;
}

void ParseNumbers(const std::string& text, std::set<uint32_t>* out) {
  size_t start = 0;
  while (start < text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = text.substr(start, comma - start);
    char* end = nullptr;
    const unsigned long v = std::strtoul(item.c_str(), &end, 0);
    if (!item.empty() && !*end && v <= 0xFFFFFFFFul) out->insert(static_cast<uint32_t>(v));
    start = comma + 1;
  }
}

}  // namespace

const char* GroupName(MessageGroup group) { return kGroupNames[static_cast<int>(group)]; }

MessageGroup GroupOf(uint32_t message, ControlFamily family) {
  // A control family's own messages below WM_USER (BM_, EM_, LB_, ...) start at 0x00B0.
  if (family != ControlFamily::None && message >= 0x00B0 && message < 0x0100) return MessageGroup::Other;
  if (family != ControlFamily::None && message >= 0x0140 && message < 0x0200) return MessageGroup::Other;
  for (const GroupRange& r : kGroupRanges) {
    if (message >= r.first && message <= r.last) return r.group;
  }
  return MessageGroup::Other;
}

bool LogFilter::Passes(uint32_t message, ControlFamily family) const {
  if (exclude.count(message)) return false;
  if (include.count(message)) return true;
  return groups[static_cast<int>(GroupOf(message, family))];
}

bool LogFilter::ShowsEverything() const {
  for (bool g : groups) {
    if (!g) return false;
  }
  return exclude.empty();
}

std::string LogFilter::Encode() const {
  std::string s = "groups=";
  for (bool g : groups) s += g ? '1' : '0';
  return s + ";include=" + Numbers(include) + ";exclude=" + Numbers(exclude);
}

LogFilter LogFilter::Decode(const std::string& text) {
  LogFilter f;
  size_t start = 0;
  while (start < text.size()) {
    size_t semi = text.find(';', start);
    if (semi == std::string::npos) semi = text.size();
    const std::string part = text.substr(start, semi - start);
    const size_t eq = part.find('=');
    const std::string key = part.substr(0, eq), value = eq == std::string::npos ? "" : part.substr(eq + 1);
    if (key == "groups" && value.size() == static_cast<size_t>(kGroupCount) &&
        value.find_first_not_of("01") == std::string::npos) {
      for (int i = 0; i < kGroupCount; ++i) f.groups[i] = value[i] == '1';
    } else if (key == "include") {
      ParseNumbers(value, &f.include);
    } else if (key == "exclude") {
      ParseNumbers(value, &f.exclude);
    }
    start = semi + 1;
  }
  return f;
}

bool ParseMessageList(const std::string& text, std::set<uint32_t>* messages, std::string* bad) {
  std::set<uint32_t> out;
  size_t i = 0;
  while (i < text.size()) {
    const size_t start = text.find_first_not_of(", \t\r\n", i);
    if (start == std::string::npos) break;
    size_t end = text.find_first_of(", \t\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(start, end - start);
    uint32_t m = 0;
    if (!ParseMessage(item, &m)) {
      if (bad) *bad = item;
      return false;
    }
    out.insert(m);
    i = end;
  }
  *messages = out;
  return true;
}

std::string MessageListText(const std::set<uint32_t>& messages) {
  std::string s;
  for (uint32_t m : messages) {
    if (!s.empty()) s += ", ";
    // Control messages have no family here, so they come out as numbers,
    // which read back as the same message.
    s += MessageName(m, ControlFamily::None);
  }
  return s;
}

}  // namespace msglog
