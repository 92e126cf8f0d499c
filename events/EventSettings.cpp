#include "events/EventSettings.h"

#include <algorithm>

namespace {

constexpr const char* kLeft = "EventsLeft";
constexpr const char* kTop = "EventsTop";
constexpr const char* kWidth = "EventsWidth";
constexpr const char* kHeight = "EventsHeight";
constexpr const char* kKinds = "EventsKinds";
constexpr const char* kTopLevelOnly = "EventsTopLevelOnly";
constexpr const char* kProcess = "EventsProcess";
constexpr const char* kSelector = "EventsSelector";
constexpr const char* kColumns = "EventsColumns";

bool ReadText(SettingsStore& store, const std::string& title, const char* name, std::string& text) {
  const StoredValue v = store.Read(title, name);
  if (!v.exists || v.type != kRegSz) return false;
  text = v.data;
  return true;
}

bool ReadInteger(SettingsStore& store, const std::string& title, const char* name, int32_t& value) {
  std::string text;
  return ReadText(store, title, name, text) && ParseInt32(text, value);
}

}  // namespace

EventsWindowSettings ReadEventsSettings(SettingsStore& store, const std::string& title) {
  EventsWindowSettings s;
  int32_t left = 0, top = 0, n = 0;
  if (ReadInteger(store, title, kLeft, left) && ReadInteger(store, title, kTop, top)) {
    s.hasPosition = true;
    s.left = left;
    s.top = top;
  }
  if (ReadInteger(store, title, kWidth, n)) s.width = std::clamp<int>(n, 200, 10000);
  if (ReadInteger(store, title, kHeight, n)) s.height = std::clamp<int>(n, 200, 10000);
  std::string text;
  uint32_t kinds = 0;
  if (ReadText(store, title, kKinds, text) && (text.empty() || ParseEventKinds(text, kinds, nullptr))) {
    s.filter.kinds = text.empty() ? 0 : kinds;
  }
  if (ReadInteger(store, title, kTopLevelOnly, n)) s.filter.topLevelOnly = n != 0;
  ReadText(store, title, kProcess, s.filter.process);
  ReadText(store, title, kSelector, s.filter.selector);
  if (ReadText(store, title, kColumns, text)) {
    std::array<int, kEventColumnCount> widths = s.columns;
    size_t start = 0;
    int c = 0;
    for (; c < kEventColumnCount && start <= text.size(); ++c) {
      const size_t comma = text.find(',', start);
      int32_t w = 0;
      if (!ParseInt32(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), w)) break;
      widths[static_cast<size_t>(c)] = std::clamp<int>(w, 0, 2000);
      if (comma == std::string::npos) {
        ++c;
        break;
      }
      start = comma + 1;
    }
    if (c == kEventColumnCount) s.columns = widths;
  }
  return s;
}

bool WriteEventsSettings(SettingsStore& store, const std::string& title, const EventsWindowSettings& s) {
  std::string columns;
  for (int w : s.columns) columns += (columns.empty() ? "" : ",") + std::to_string(w);
  const auto put = [&](const char* name, const std::string& value) {
    return store.WriteString(title, name, value) == StoreWrite::Ok;
  };
  if (s.hasPosition && !(put(kLeft, std::to_string(s.left)) && put(kTop, std::to_string(s.top)))) return false;
  return put(kWidth, std::to_string(s.width)) && put(kHeight, std::to_string(s.height)) &&
         put(kKinds, EventKindsText(s.filter.kinds)) && put(kTopLevelOnly, s.filter.topLevelOnly ? "1" : "0") &&
         put(kProcess, s.filter.process) && put(kSelector, s.filter.selector) && put(kColumns, columns);
}
