#include "msglog/Decode.h"

#include <cstdio>

#include "msglog/MessageNames.h"

namespace msglog {

namespace {

// The message numbers the rules below read; plain numbers, as this file
// does not see the platform's headers.
enum : uint32_t {
  kMove = 0x0003, kSize = 0x0005, kActivate = 0x0006, kSetFocus = 0x0007, kKillFocus = 0x0008,
  kSetText = 0x000C, kShowWindow = 0x0018, kWindowPosChanging = 0x0046,
  kWindowPosChanged = 0x0047, kNotify = 0x004E, kNcHitTest = 0x0084, kNcMouseFirst = 0x00A0,
  kNcMouseLast = 0x00AD, kKeyDown = 0x0100, kKeyUp = 0x0101, kChar = 0x0102, kDeadChar = 0x0103,
  kSysKeyDown = 0x0104, kSysKeyUp = 0x0105, kSysChar = 0x0106, kSysDeadChar = 0x0107,
  kCommand = 0x0111, kSysCommand = 0x0112, kTimer = 0x0113, kMouseMove = 0x0200,
  kMouseWheel = 0x020A, kMouseLast = 0x020E, kMouseHWheel = 0x020E,
};


std::string HandleText(uint64_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(v & 0xFFFFFFFFu));
  return buf;
}

int LowSigned(uint64_t v) { return static_cast<int16_t>(v & 0xFFFF); }
int HighSigned(uint64_t v) { return static_cast<int16_t>((v >> 16) & 0xFFFF); }
unsigned Low(uint64_t v) { return static_cast<unsigned>(v & 0xFFFF); }
unsigned High(uint64_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFF); }

std::string Point(uint64_t lParam) {
  return "x=" + std::to_string(LowSigned(lParam)) + " y=" + std::to_string(HighSigned(lParam));
}

// Keystroke messages' lParam: repeat count, scan code and the flag bits.
std::string KeyData(uint64_t l) {
  std::string s = "repeat=" + std::to_string(Low(l));
  char scan[16];
  std::snprintf(scan, sizeof scan, " scan=0x%02X", static_cast<unsigned>((l >> 16) & 0xFF));
  s += scan;
  if (l & (1u << 24)) s += " extended";
  if (l & (1u << 29)) s += " alt";
  if (l & (1u << 30)) s += " was-down";
  if (l & (1u << 31)) s += " up";
  return s;
}

std::string CharText(uint64_t w) {
  const unsigned c = static_cast<unsigned>(w & 0xFFFF);
  char buf[24];
  if (c >= 0x20 && c < 0x7F && c != '\'') {
    std::snprintf(buf, sizeof buf, "'%c' (0x%02X)", static_cast<char>(c), c);
  } else {
    std::snprintf(buf, sizeof buf, "0x%02X", c);
  }
  return buf;
}

std::string Quoted(const char* text) {
  std::string s = "\"";
  for (const char* p = text; *p; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\') {
      s += '\\';
      s += *p;
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      s += buf;
    } else {
      s += *p;
    }
  }
  return s + "\"";
}

std::string OrNumber(const char* name, int64_t value) {
  return name ? std::string(name) : std::to_string(value);
}

std::string Command(const RecordData& r) {
  const unsigned code = High(r.wParam), id = Low(r.wParam);
  if (r.lParam == 0) return std::string(code == 1 ? "accelerator" : "menu") + " id=" + std::to_string(id);
  const ControlFamily family =
      (r.flags & kHasControlClass) ? FamilyOfClass(r.text) : ControlFamily::None;
  std::string s = OrNumber(CommandCodeName(family, code), code);
  return s + " id=" + std::to_string(id) + " control=" + HandleText(r.lParam);
}

std::string Notify(const RecordData& r) {
  if (!(r.flags & kHasNotifyHeader)) return "id=" + std::to_string(r.wParam);
  const int32_t code = r.data[2];
  const ControlFamily family = (r.flags & kHasControlClass) ? FamilyOfClass(r.text) : ControlFamily::None;
  return OrNumber(NotifyCodeName(code, family), code) + " id=" + std::to_string(static_cast<uint32_t>(r.data[1])) +
         " control=" + HandleText(static_cast<uint32_t>(r.data[0]));
}

std::string WindowPos(const RecordData& r) {
  if (!(r.flags & kHasWindowPos)) return "";
  const int32_t* d = r.data;
  return "x=" + std::to_string(d[1]) + " y=" + std::to_string(d[2]) + " cx=" + std::to_string(d[3]) +
         " cy=" + std::to_string(d[4]) + " after=" + HandleText(static_cast<uint32_t>(d[0])) + " " +
         SwpFlagsText(static_cast<uint32_t>(d[5]));
}

std::string SizeKind(uint64_t w) {
  static const char* const kinds[] = {"SIZE_RESTORED", "SIZE_MINIMIZED", "SIZE_MAXIMIZED",
                                      "SIZE_MAXSHOW", "SIZE_MAXHIDE"};
  return w < 5 ? kinds[w] : std::to_string(w);
}

std::string Activate(const RecordData& r) {
  static const char* const states[] = {"WA_INACTIVE", "WA_ACTIVE", "WA_CLICKACTIVE"};
  const unsigned state = Low(r.wParam);
  std::string s = state < 3 ? states[state] : std::to_string(state);
  if (High(r.wParam)) s += " minimized";
  return s + " other=" + HandleText(r.lParam);
}

std::string ShowWindow(const RecordData& r) {
  static const char* const reasons[] = {"", " SW_PARENTCLOSING", " SW_OTHERZOOM",
                                        " SW_PARENTOPENING", " SW_OTHERUNZOOM"};
  std::string s = r.wParam ? "shown" : "hidden";
  return s + (r.lParam < 5 ? reasons[r.lParam] : " status=" + std::to_string(r.lParam));
}

}  // namespace

std::string DecodeParameters(const RecordData& r) {
  const uint32_t m = r.message;
  const bool returned = r.kind == kKindReturned;
  if (m >= kMouseMove && m <= kMouseLast) {
    if (m == kMouseWheel || m == kMouseHWheel) {
      return "delta=" + std::to_string(HighSigned(r.wParam)) + " " + MouseKeysText(Low(r.wParam)) +
             " screen " + Point(r.lParam);
    }
    return Point(r.lParam) + " " + MouseKeysText(static_cast<uint32_t>(r.wParam));
  }
  if (m >= kNcMouseFirst && m <= kNcMouseLast) {
    return OrNumber(HitTestName(static_cast<int32_t>(r.wParam)), static_cast<int64_t>(r.wParam)) +
           " screen " + Point(r.lParam);
  }
  switch (m) {
    case kKeyDown:
    case kKeyUp:
    case kSysKeyDown:
    case kSysKeyUp:
      return VirtualKeyName(static_cast<uint32_t>(r.wParam & 0xFF)) + " " + KeyData(r.lParam);
    case kChar:
    case kDeadChar:
    case kSysChar:
    case kSysDeadChar:
      return CharText(r.wParam) + " " + KeyData(r.lParam);
    case kSize:
      return SizeKind(r.wParam) + " " + std::to_string(Low(r.lParam)) + "x" + std::to_string(High(r.lParam));
    case kMove:
      return Point(r.lParam);
    case kWindowPosChanging:
    case kWindowPosChanged:
      return WindowPos(r);
    case kCommand:
      return Command(r);
    case kNotify:
      return Notify(r);
    case kSetText:
      if (r.flags & kHasText) return Quoted(r.text);
      return r.lParam ? "(text read on return)" : "(none)";
    case kActivate:
      return Activate(r);
    case kShowWindow:
      return ShowWindow(r);
    case kSetFocus:
      return "previous=" + HandleText(r.wParam);
    case kKillFocus:
      return "next=" + HandleText(r.wParam);
    case kTimer:
      return "id=" + std::to_string(r.wParam);
    case kSysCommand: {
      std::string s = OrNumber(SysCommandName(static_cast<uint32_t>(r.wParam)), static_cast<int64_t>(r.wParam));
      return (r.wParam & 0xFFF0) == 0xF100 ? s : s + " " + Point(r.lParam);
    }
    case kNcHitTest:
      if (returned) return OrNumber(HitTestName(static_cast<int32_t>(r.result)), static_cast<int64_t>(r.result));
      return "screen " + Point(r.lParam);
  }
  return "";
}

std::string HexValue(uint64_t v) {
  char buf[24];
  if (v > 0xFFFFFFFFull) {
    std::snprintf(buf, sizeof buf, "0x%016llX", static_cast<unsigned long long>(v));
  } else {
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(v));
  }
  return buf;
}

std::string ResultText(const RecordData& r) { return r.kind == kKindReturned ? HexValue(r.result) : ""; }

}  // namespace msglog
