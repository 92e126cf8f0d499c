#include "details/DetailsSettings.h"

#include <algorithm>

namespace {

bool ReadInteger(SettingsStore& store, const std::string& title, const char* name, int32_t& value) {
  const StoredValue v = store.Read(title, name);
  return v.exists && v.type == kRegSz && ParseInt32(v.data, value);
}

int ReadSize(SettingsStore& store, const std::string& title, const char* name, int fallback) {
  int32_t n = fallback;
  if (!ReadInteger(store, title, name, n)) return fallback;
  return std::clamp<int>(n, 200, 10000);
}

}  // namespace

DetailsWindowSettings ReadDetailsSettings(SettingsStore& store, const std::string& title) {
  DetailsWindowSettings s;
  int32_t left = 0, top = 0;
  if (ReadInteger(store, title, kDetailsLeftValue, left) && ReadInteger(store, title, kDetailsTopValue, top)) {
    s.hasPosition = true;
    s.left = left;
    s.top = top;
  }
  s.width = ReadSize(store, title, kDetailsWidthValue, s.width);
  s.height = ReadSize(store, title, kDetailsHeightValue, s.height);
  return s;
}

bool WriteDetailsSettings(SettingsStore& store, const std::string& title, const DetailsWindowSettings& s) {
  if (s.hasPosition && (store.WriteString(title, kDetailsLeftValue, std::to_string(s.left)) != StoreWrite::Ok ||
                        store.WriteString(title, kDetailsTopValue, std::to_string(s.top)) != StoreWrite::Ok)) {
    return false;
  }
  return store.WriteString(title, kDetailsWidthValue, std::to_string(s.width)) == StoreWrite::Ok &&
         store.WriteString(title, kDetailsHeightValue, std::to_string(s.height)) == StoreWrite::Ok;
}
