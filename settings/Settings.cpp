#include "settings/Settings.h"

#include <cstdint>
#include <initializer_list>

// ---- In-memory store ----

StoredValue MemorySettingsStore::Read(const std::string& subkey, const std::string& name) {
  auto it = m_values.find({subkey, name});
  return it == m_values.end() ? StoredValue() : it->second;
}

StoreWrite MemorySettingsStore::WriteString(const std::string& subkey, const std::string& name,
                                            const std::string& text) {
  if (failCreateKey.count(subkey)) return StoreWrite::CreateKeyFailed;
  if (failSetData.count(name)) return StoreWrite::SetDataFailed;
  Set(subkey, name, kRegSz, text);
  ++writes;
  return StoreWrite::Ok;
}

void MemorySettingsStore::Set(const std::string& subkey, const std::string& name, uint32_t type,
                              const std::string& data) {
  StoredValue v;
  v.exists = true;
  v.type = type;
  v.data = data;
  m_values[{subkey, name}] = v;
}

bool MemorySettingsStore::Has(const std::string& subkey, const std::string& name) const {
  return m_values.count({subkey, name}) != 0;
}

std::string MemorySettingsStore::Text(const std::string& subkey, const std::string& name) const {
  auto it = m_values.find({subkey, name});
  return it == m_values.end() ? std::string() : it->second.data;
}

// ---- Pure rules ----

bool ParseInt32(const std::string& text, int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > int64_t(INT32_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  value = static_cast<int32_t>(v);
  return true;
}

int ParseSettingInteger(const std::string& text, int fallback) {
  int32_t value = 0;
  return ParseInt32(text, value) ? value : fallback;
}

namespace {

bool ReadStoredInt(SettingsStore& store, const std::string& title, const std::string& name, int32_t& value) {
  const StoredValue v = store.Read(title, name);
  return v.exists && v.type == kRegSz && ParseInt32(v.data, value);
}

int Within(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

void ReadWindowPlace(SettingsStore& store, const std::string& title, const std::string& prefix, WindowPlace& place) {
  int32_t left = 0, top = 0, n = 0;
  if (ReadStoredInt(store, title, prefix + "Left", left) && ReadStoredInt(store, title, prefix + "Top", top)) {
    place.hasPosition = true;
    place.left = left;
    place.top = top;
  }
  if (ReadStoredInt(store, title, prefix + "Width", n)) place.width = Within(n, 200, 10000);
  if (ReadStoredInt(store, title, prefix + "Height", n)) place.height = Within(n, 150, 10000);
}

bool WriteWindowPlace(SettingsStore& store, const std::string& title, const std::string& prefix,
                      const WindowPlace& place) {
  const auto put = [&](const char* name, int value) {
    return store.WriteString(title, prefix + name, std::to_string(value)) == StoreWrite::Ok;
  };
  if (place.hasPosition && !(put("Left", place.left) && put("Top", place.top))) return false;
  return put("Width", place.width) && put("Height", place.height);
}

std::vector<int> ParseColumnWidthList(const std::string& text, size_t count) {
  std::vector<int> widths;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    int32_t w = 0;
    if (!ParseInt32(text.substr(start, comma - start), w)) return {};
    widths.push_back(Within(w, 0, 2000));
    start = comma + 1;
  }
  if (widths.size() != count) return {};
  return widths;
}

std::string ColumnWidthListText(const std::vector<int>& widths) {
  std::string text;
  for (int w : widths) text += (text.empty() ? "" : ",") + std::to_string(w);
  return text;
}

int ClampRadioIndex(int index, int itemCount) {
  if (index > itemCount - 1) index = itemCount - 1;
  if (index < -1) index = -1;
  return index;
}

bool SelectedPluginValid(int index, int pluginCount) {
  return index >= 0 && pluginCount > 0 && index < pluginCount;
}

int ColumnWidthFromStored(int stored, int ppi) {
  if (ppi == 0) return stored;
  return static_cast<int>(int64_t(stored) * ppi / 96);
}

int ColumnWidthToStored(int width, int ppi) {
  if (ppi == 0) return width;
  return static_cast<int>(int64_t(width) * 96 / ppi);
}

// ---- Reading and writing one value ----

namespace {

std::string Quoted(const char* format, const std::string& arg) {
  std::string text = format;
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, arg);
  return text;
}

// Reads an integer; false (with the error) only for a value of a type that
// is not text. A missing or malformed value gives fallback.
bool ReadInteger(SettingsStore& store, const std::string& subkey, const std::string& name,
                 int fallback, int& out, std::string& error) {
  const StoredValue v = store.Read(subkey, name);
  if (!v.exists) {
    out = fallback;
    return true;
  }
  if (v.type != kRegSz && v.type != kRegExpandSz) {
    error = Quoted("Invalid data type for '%s'", name);
    return false;
  }
  out = ParseSettingInteger(v.data, fallback);
  return true;
}

bool WriteText(SettingsStore& store, const std::string& subkey, const std::string& name,
               const std::string& text, std::string& error) {
  switch (store.WriteString(subkey, name, text)) {
    case StoreWrite::Ok: return true;
    case StoreWrite::CreateKeyFailed: error = Quoted("Failed to create key %s", subkey); break;
    case StoreWrite::SetDataFailed: error = Quoted("Failed to set data for '%s'", name); break;
  }
  return false;
}

struct ColumnList {
  const char* subkey;
  int* widths;
  int count;
};

template <size_t N>
ColumnList Columns(const char* subkey, std::array<int, N>& widths) {
  return {subkey, widths.data(), static_cast<int>(N)};
}

// The four lists in the order they are read and written.
std::array<ColumnList, 4> ColumnLists(ColumnWidthSettings& c) {
  return {{Columns("ParentsColumns", c.parents), Columns("ChildrenColumns", c.children),
           Columns("DiggerColumns", c.digger), Columns("ModulesColumns", c.modules)}};
}

}  // namespace

bool LoadColumnWidths(SettingsStore& store, const std::string& title, const std::string& subkey,
                      int* widths, int count, int ppi, std::string* error) {
  const std::string path = title + "\\" + subkey;
  std::string err;
  for (int i = 0; i < count; ++i) {
    int stored = 0;
    if (!ReadInteger(store, path, std::to_string(i), widths[i], stored, err)) {
      if (error) *error = err;
      return false;
    }
    widths[i] = ColumnWidthFromStored(stored, ppi);
  }
  return true;
}

bool SaveColumnWidths(SettingsStore& store, const std::string& title, const std::string& subkey,
                      const int* widths, int count, int ppi, std::string* error) {
  const std::string path = title + "\\" + subkey;
  std::string err;
  for (int i = 0; i < count; ++i) {
    if (!WriteText(store, path, std::to_string(i),
                   std::to_string(ColumnWidthToStored(widths[i], ppi)), err)) {
      if (error) *error = err;
      return false;
    }
  }
  return true;
}

// ---- The whole restore and the whole writing ----

namespace {

class Restore {
 public:
  Restore(SettingsStore& store, const std::string& key) : m_store(store), m_key(key) {}

  bool Int(const char* name, int fallback, int& out) {
    return ReadInteger(m_store, m_key, name, fallback, out, error);
  }
  bool Bool(const char* name, bool fallback, bool& out) {
    int v = 0;
    if (!Int(name, fallback ? 1 : 0, v)) return false;
    out = v != 0;
    return true;
  }

  std::string error;

 private:
  SettingsStore& m_store;
  const std::string& m_key;
};

}  // namespace

LoadSettingsResult LoadSettings(SettingsStore& store, const SettingsContext& context,
                                SettingsValues& values) {
  LoadSettingsResult result;
  const std::string& key = context.title;
  Restore r(store, key);
  auto stop = [&](SettingsStep step) {
    result.stoppedAt = step;
    result.error = r.error;
    return result;
  };

  if (!WriteText(store, key, "@Name", context.title, r.error) ||
      !WriteText(store, key, "@Path", context.programPath, r.error) ||
      !WriteText(store, key, "@Version", kSettingsVersion, r.error))
    return stop(SettingsStep::Descriptive);

  // Each value is read into a local and applied only when the read succeeded,
  // so an error leaves that setting as it was.
  struct BoolStep {
    SettingsStep step;
    const char* name;
    bool fallback;
    bool SettingsValues::*field;
  };
  auto readBools = [&](std::initializer_list<BoolStep> steps, SettingsStep& failed) {
    for (const BoolStep& s : steps) {
      bool v = false;
      if (!r.Bool(s.name, s.fallback, v)) {
        failed = s.step;
        return false;
      }
      values.*s.field = v;
    }
    return true;
  };

  SettingsStep failed = SettingsStep::Done;
  int n = 0;
  if (!readBools({{SettingsStep::HideNag, "HideNag", false, &SettingsValues::hideNag}}, failed))
    return stop(failed);
  if (!r.Int("Left", values.left, n)) return stop(SettingsStep::Left);
  values.left = n;
  if (!r.Int("Top", values.top, n)) return stop(SettingsStep::Top);
  values.top = n;
  if (!readBools({{SettingsStep::ShowSubchildren, "ShowSubchildren", false,
                   &SettingsValues::showSubchildren},
                  {SettingsStep::DigChildren, "DigChildren", true, &SettingsValues::digChildren},
                  {SettingsStep::AutoStart, "AutoStart", true, &SettingsValues::autoStart},
                  {SettingsStep::FlashTarget, "FlashTarget", false, &SettingsValues::flashTarget},
                  {SettingsStep::AlwaysOnTop, "AlwaysOnTop", true, &SettingsValues::alwaysOnTop}},
                 failed))
    return stop(failed);
  if (!r.Int("IntegerFormat", 0, n)) return stop(SettingsStep::IntegerFormat);
  values.integerFormat = ClampRadioIndex(n, 3);
  if (!r.Int("ConstsFormat", 0, n)) return stop(SettingsStep::ConstsFormat);
  values.constsFormat = ClampRadioIndex(n, 2);
  if (!r.Int("StartStopHotKey", 145, n)) return stop(SettingsStep::StartStopHotKey);
  values.startStopHotKey = static_cast<uint16_t>(static_cast<uint32_t>(n) & 0xFFFF);
  if (!r.Int("SortMode", 0, n)) return stop(SettingsStep::SortMode);
  values.sortColumn = values.lastSortColumn = n;
  if (!readBools({{SettingsStep::Inverted, "Inverted", false, &SettingsValues::sortInverted}},
                 failed))
    return stop(failed);
  for (const ColumnList& list : ColumnLists(values.columns))
    if (!LoadColumnWidths(store, key, list.subkey, list.widths, list.count, context.ppi,
                          &r.error))
      return stop(SettingsStep::Columns);
  if (!r.Int("Zoom", 0, n)) return stop(SettingsStep::Zoom);
  values.zoom = ClampRadioIndex(n, 6);
  if (!readBools({{SettingsStep::ShowReticle, "ShowReticle", true, &SettingsValues::showReticle}},
                 failed))
    return stop(failed);
  if (!r.Int("Page", 11, n)) return stop(SettingsStep::Page);
  if (n < 0 || n >= kPageCountForSettings) {
    r.error = "Page index out of bounds (" + std::to_string(n) + ")";
    return stop(SettingsStep::Page);
  }
  values.page = n;
  if (!r.Int("SelectedPlugin", 0, n)) return stop(SettingsStep::SelectedPlugin);
  values.selectedPlugin = SelectedPluginValid(n, context.pluginCount) ? n : -1;
  return result;
}

std::string SaveSettings(SettingsStore& store, const SettingsContext& context,
                         const SettingsValues& values) {
  const std::string& key = context.title;
  std::string error;
  auto put = [&](const char* name, long long v) {
    return WriteText(store, key, name, std::to_string(v), error);
  };
  auto flag = [&](const char* name, bool v) { return WriteText(store, key, name, v ? "1" : "0", error); };

  ColumnWidthSettings columns = values.columns;
  bool ok = flag("HideNag", values.hideNag) && put("Left", values.left) &&
            put("Top", values.top) && flag("ShowSubchildren", values.showSubchildren) &&
            flag("DigChildren", values.digChildren) && flag("AutoStart", values.autoStart) &&
            flag("FlashTarget", values.flashTarget) && flag("AlwaysOnTop", values.alwaysOnTop) &&
            put("IntegerFormat", values.integerFormat) &&
            put("ConstsFormat", values.constsFormat) &&
            put("StartStopHotKey", values.startStopHotKey) && put("SortMode", values.sortColumn) &&
            flag("Inverted", values.sortInverted);
  for (const ColumnList& list : ColumnLists(columns)) {
    if (!ok) break;
    ok = SaveColumnWidths(store, key, list.subkey, list.widths, list.count, context.ppi, &error);
  }
  ok = ok && put("Zoom", values.zoom) && flag("ShowReticle", values.showReticle) &&
       put("Page", values.page) && put("SelectedPlugin", values.selectedPlugin);
  return ok ? std::string() : error;
}
