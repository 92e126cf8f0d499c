#include "msglog/LogSettings.h"

#include <algorithm>

namespace msglog {

namespace {
int ReadSize(SettingsStore& store, const std::string& title, const char* name, int fallback) {
  const StoredValue v = store.Read(title, name);
  if (!v.exists || v.type != kRegSz) return fallback;
  const int n = ParseSettingInteger(v.data, fallback);
  return std::clamp(n, 200, 10000);
}
}  // namespace

MessageLogSettings ReadLogSettings(SettingsStore& store, const std::string& title) {
  MessageLogSettings s;
  s.width = ReadSize(store, title, kLogWidthValue, s.width);
  s.height = ReadSize(store, title, kLogHeightValue, s.height);
  const StoredValue filter = store.Read(title, kLogFilterValue);
  if (filter.exists && filter.type == kRegSz) s.filter = LogFilter::Decode(filter.data);
  return s;
}

bool WriteLogSettings(SettingsStore& store, const std::string& title, const MessageLogSettings& s) {
  return store.WriteString(title, kLogWidthValue, std::to_string(s.width)) == StoreWrite::Ok &&
         store.WriteString(title, kLogHeightValue, std::to_string(s.height)) == StoreWrite::Ok &&
         store.WriteString(title, kLogFilterValue, s.filter.Encode()) == StoreWrite::Ok;
}

}  // namespace msglog
