#include "events/WindowEvent.h"

#include <cstdio>

#include "platform/AsciiCase.h"
#include "platform/JsonWriter.h"

namespace {

// In EventKind order.
constexpr const char* kKindNames[] = {"created", "destroyed", "shown", "hidden", "retitled",
                                      "moved",   "foreground", "focus", "started"};
constexpr const char* kColumnTitles[kEventColumnCount] = {"Time", "Event", "Handle", "Class",
                                                          "Text", "Process", "Selector"};
constexpr const char* kUnknown = "?";

void WindowMembers(JsonWriter& w, const EventWindow& win) {
  w.Key("handle").Number(win.handle);
  const auto text = [&](const char* key, uint32_t bit, const std::string& value) {
    w.Key(key);
    if (win.known & bit) {
      w.String(value);
    } else {
      w.Null();
    }
  };
  text("class", Known::Class, win.className);
  text("text", Known::Text, win.text);
  w.Key("pid");
  if (win.known & Known::Process) {
    w.Number(win.processId);
  } else {
    w.Null();
  }
  text("exe", Known::Exe, win.exe);
}

std::string ProcessText(const EventWindow& w) {
  if (!(w.known & Known::Process)) return kUnknown;
  const std::string exe = (w.known & Known::Exe) && !w.exe.empty() ? w.exe : std::string(kUnknown);
  return exe + " (" + std::to_string(w.processId) + ")";
}

std::string Flat(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

const char* EventKindName(EventKind kind) { return kKindNames[static_cast<int>(kind)]; }

bool EventKindNamed(const std::string& name, EventKind& kind) {
  for (int k = 0; k < kEventKindCount; ++k) {
    if (SameNoCase(name, kKindNames[k])) {
      kind = static_cast<EventKind>(k);
      return true;
    }
  }
  return false;
}

std::string EventJsonLine(const WindowEvent& e) {
  std::string out;
  JsonWriter w(out, JsonStrings::Report, JsonWriter::Layout::Compact);
  w.BeginObject();
  w.Key("time").Number(e.timeMs).Key("event").String(EventKindName(e.kind));
  if (e.kind == EventKind::Started) {
    w.Key("clock").String(e.clock);
    w.EndObject();
    return out;
  }
  WindowMembers(w, e.window);
  w.Key("top");
  if (e.window.known & Known::Top) {
    w.Number(e.window.top);
  } else {
    w.Null();
  }
  w.Key("selector");
  if (e.window.known & Known::Selector) {
    w.String(e.window.selector);
  } else {
    w.Null();
  }
  if (e.hasRect) {
    w.Key("rect").BeginObject();
    w.Key("left").Number(e.rect.left).Key("top").Number(e.rect.top);
    w.Key("right").Number(e.rect.right).Key("bottom").Number(e.rect.bottom);
    w.EndObject();
  }
  if (e.hasPrevious) {
    w.Key("previous");
    if (e.previous.handle == 0) {
      w.Null();
    } else {
      w.BeginObject();
      WindowMembers(w, e.previous);
      w.EndObject();
    }
  }
  w.EndObject();
  return out;
}

const char* EventColumnTitle(int column) { return kColumnTitles[column]; }

std::string EventHandleText(Hwnd h) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(h));
  return buf;
}

std::string EventCell(const WindowEvent& e, int column) {
  const EventWindow& w = e.window;
  switch (column) {
    case kColTime: {
      char buf[24];
      std::snprintf(buf, sizeof buf, "%u.%03u", static_cast<unsigned>(e.timeMs / 1000),
                    static_cast<unsigned>(e.timeMs % 1000));
      return buf;
    }
    case kColEvent: {
      std::string s = EventKindName(e.kind);
      if (e.kind == EventKind::Started) return s + " " + e.clock;
      if (e.hasRect) {
        s += " to " + std::to_string(e.rect.left) + "," + std::to_string(e.rect.top) + " " +
             std::to_string(static_cast<int64_t>(e.rect.right) - e.rect.left) + "x" +
             std::to_string(static_cast<int64_t>(e.rect.bottom) - e.rect.top);
      }
      if (e.hasPrevious) {
        s += e.previous.handle ? ", before: " + EventHandleText(e.previous.handle) + " " + ProcessText(e.previous)
                               : ", before: none";
      }
      return s;
    }
    case kColHandle: return e.kind == EventKind::Started ? std::string() : EventHandleText(w.handle);
    case kColClass: return e.kind == EventKind::Started ? "" : (w.known & Known::Class) ? w.className : kUnknown;
    case kColText: return e.kind == EventKind::Started ? "" : (w.known & Known::Text) ? Flat(w.text) : kUnknown;
    case kColProcess: return e.kind == EventKind::Started ? std::string() : ProcessText(w);
    case kColSelector:
      return e.kind == EventKind::Started ? "" : (w.known & Known::Selector) ? w.selector : kUnknown;
  }
  return std::string();
}

std::string EventTextLine(const WindowEvent& e) {
  std::string line;
  for (int c = 0; c < kEventColumnCount; ++c) {
    if (c) line += '\t';
    line += EventCell(e, c);
  }
  return line;
}
