#include "events/EventSettings.h"

#include <algorithm>

namespace {

constexpr const char* kPrefix = "Events";
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

}  // namespace

EventsWindowSettings ReadEventsSettings(SettingsStore& store, const std::string& title) {
  EventsWindowSettings s;
  ReadWindowPlace(store, title, kPrefix, s);
  std::string text;
  uint32_t kinds = 0;
  if (ReadText(store, title, kKinds, text) && (text.empty() || ParseEventKinds(text, kinds, nullptr))) {
    s.filter.kinds = text.empty() ? 0 : kinds;
  }
  int32_t n = 0;
  if (ReadText(store, title, kTopLevelOnly, text) && ParseInt32(text, n)) s.filter.topLevelOnly = n != 0;
  ReadText(store, title, kProcess, s.filter.process);
  ReadText(store, title, kSelector, s.filter.selector);
  if (ReadText(store, title, kColumns, text)) {
    const std::vector<int> widths = ParseColumnWidthList(text, kEventColumnCount);
    if (!widths.empty()) std::copy(widths.begin(), widths.end(), s.columns.begin());
  }
  return s;
}

bool WriteEventsSettings(SettingsStore& store, const std::string& title, const EventsWindowSettings& s) {
  const auto put = [&](const char* name, const std::string& value) {
    return store.WriteString(title, name, value) == StoreWrite::Ok;
  };
  return WriteWindowPlace(store, title, kPrefix, s) && put(kKinds, EventKindsText(s.filter.kinds)) &&
         put(kTopLevelOnly, s.filter.topLevelOnly ? "1" : "0") && put(kProcess, s.filter.process) &&
         put(kSelector, s.filter.selector) &&
         put(kColumns, ColumnWidthListText(std::vector<int>(s.columns.begin(), s.columns.end())));
}
