// Settings restored from a hive full of random values of random types: loading
// never throws, stops only for a reason it names, leaves every value in its
// range, leaves the values from the failing step on as they were, and whatever
// it restored is written and read back unchanged.
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/HotKeyValue.h"
#include "settings/Settings.h"

namespace {

// The values under the settings key, in the order they are restored.
struct Named {
  const char* name;
  SettingsStep step;
};
const Named kValues[] = {
    {"HideNag", SettingsStep::HideNag},
    {"Left", SettingsStep::Left},
    {"Top", SettingsStep::Top},
    {"ShowSubchildren", SettingsStep::ShowSubchildren},
    {"DigChildren", SettingsStep::DigChildren},
    {"AutoStart", SettingsStep::AutoStart},
    {"FlashTarget", SettingsStep::FlashTarget},
    {"AlwaysOnTop", SettingsStep::AlwaysOnTop},
    {"IntegerFormat", SettingsStep::IntegerFormat},
    {"ConstsFormat", SettingsStep::ConstsFormat},
    {"StartStopHotKey", SettingsStep::StartStopHotKey},
    {"SortMode", SettingsStep::SortMode},
    {"Inverted", SettingsStep::Inverted},
    {"Zoom", SettingsStep::Zoom},
    {"ShowReticle", SettingsStep::ShowReticle},
    {"Page", SettingsStep::Page},
    {"SelectedPlugin", SettingsStep::SelectedPlugin},
};
const char* const kColumnKeys[] = {"ParentsColumns", "ChildrenColumns", "DiggerColumns",
                                   "ModulesColumns"};
const int kColumnCounts[] = {4, 4, 4, 2};

// Decimal text in the form the program writes it, or near it (blanks, signs,
// leading zeros, values beyond 32 bits), or plain garbage.
std::string ValueText(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 5)) {
    case 0: return std::to_string(in.ConsumeIntegralInRange<int>(-3, 14));
    case 1: return std::to_string(in.ConsumeIntegral<int32_t>());
    case 2: return std::to_string(in.ConsumeIntegral<int64_t>());
    case 3: return (in.ConsumeBool() ? "+00" : " ") + std::to_string(in.ConsumeIntegral<int16_t>());
    default: return in.ConsumeRandomLengthString(24);
  }
}

uint32_t ValueType(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: return kRegBinary;
    case 1: return kRegDword;
    case 2: return in.ConsumeIntegral<uint32_t>();
    case 3: return kRegExpandSz;
    default: return kRegSz;
  }
}

void MaybeSet(FuzzedDataProvider& in, MemorySettingsStore& store, const std::string& subkey,
              const std::string& name) {
  if (in.ConsumeIntegralInRange<int>(0, 3) == 0) return;  // missing
  const uint32_t type = ValueType(in);
  store.Set(subkey, name, type, ValueText(in));
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// The state before the restore: any in-range values, as the windows hold them.
SettingsValues Before(FuzzedDataProvider& in, int pluginCount) {
  SettingsValues v;
  v.hideNag = in.ConsumeBool();
  v.left = in.ConsumeIntegral<int>();
  v.top = in.ConsumeIntegral<int>();
  v.integerFormat = in.ConsumeIntegralInRange<int>(-1, 2);
  v.constsFormat = in.ConsumeIntegralInRange<int>(-1, 1);
  v.startStopHotKey = in.ConsumeIntegral<uint16_t>();
  v.sortColumn = v.lastSortColumn = in.ConsumeIntegralInRange<int>(0, 3);
  v.zoom = in.ConsumeIntegralInRange<int>(-1, 5);
  v.page = in.ConsumeIntegralInRange<int>(0, kPageCountForSettings - 1);
  v.selectedPlugin = pluginCount > 0 ? in.ConsumeIntegralInRange<int>(-1, pluginCount - 1) : -1;
  v.columns.parents[1] = in.ConsumeIntegralInRange<int>(0, 500);
  return v;
}

void CheckRanges(const SettingsValues& v, int pluginCount, const char* when) {
  const std::string w = when;
  FUZZ_CHECK(InRange(v.integerFormat, -1, 2), w + " integerFormat " + std::to_string(v.integerFormat));
  FUZZ_CHECK(InRange(v.constsFormat, -1, 1), w + " constsFormat " + std::to_string(v.constsFormat));
  FUZZ_CHECK(InRange(v.zoom, -1, 5), w + " zoom " + std::to_string(v.zoom));
  FUZZ_CHECK(InRange(v.page, 0, kPageCountForSettings - 1), w + " page " + std::to_string(v.page));
  FUZZ_CHECK(v.selectedPlugin == -1 || InRange(v.selectedPlugin, 0, pluginCount - 1),
             w + " selectedPlugin " + std::to_string(v.selectedPlugin) + " of " +
                 std::to_string(pluginCount));
  FUZZ_CHECK(v.sortColumn == v.lastSortColumn, w + " sort columns differ");
  const HotKeyRegistration r = HotKeyToRegistration(v.startStopHotKey);
  FUZZ_CHECK(r.key <= 0x1FFF && (r.modifiers & ~(kModAlt | kModControl | kModShift)) == 0);
}

bool SameValues(const SettingsValues& a, const SettingsValues& b) {
  return a.hideNag == b.hideNag && a.left == b.left && a.top == b.top &&
         a.showSubchildren == b.showSubchildren && a.digChildren == b.digChildren &&
         a.autoStart == b.autoStart && a.flashTarget == b.flashTarget &&
         a.alwaysOnTop == b.alwaysOnTop && a.integerFormat == b.integerFormat &&
         a.constsFormat == b.constsFormat && a.startStopHotKey == b.startStopHotKey &&
         a.sortColumn == b.sortColumn && a.lastSortColumn == b.lastSortColumn &&
         a.sortInverted == b.sortInverted && a.columns.parents == b.columns.parents &&
         a.columns.children == b.columns.children && a.columns.digger == b.columns.digger &&
         a.columns.modules == b.columns.modules && a.zoom == b.zoom &&
         a.showReticle == b.showReticle && a.page == b.page && a.selectedPlugin == b.selectedPlugin;
}

// What each step restores, compared between two states.
bool StepUnchanged(SettingsStep step, const SettingsValues& a, const SettingsValues& b) {
  switch (step) {
    case SettingsStep::HideNag: return a.hideNag == b.hideNag;
    case SettingsStep::Left: return a.left == b.left;
    case SettingsStep::Top: return a.top == b.top;
    case SettingsStep::ShowSubchildren: return a.showSubchildren == b.showSubchildren;
    case SettingsStep::DigChildren: return a.digChildren == b.digChildren;
    case SettingsStep::AutoStart: return a.autoStart == b.autoStart;
    case SettingsStep::FlashTarget: return a.flashTarget == b.flashTarget;
    case SettingsStep::AlwaysOnTop: return a.alwaysOnTop == b.alwaysOnTop;
    case SettingsStep::IntegerFormat: return a.integerFormat == b.integerFormat;
    case SettingsStep::ConstsFormat: return a.constsFormat == b.constsFormat;
    case SettingsStep::StartStopHotKey: return a.startStopHotKey == b.startStopHotKey;
    case SettingsStep::SortMode: return a.sortColumn == b.sortColumn && a.lastSortColumn == b.lastSortColumn;
    case SettingsStep::Inverted: return a.sortInverted == b.sortInverted;
    case SettingsStep::Zoom: return a.zoom == b.zoom;
    case SettingsStep::ShowReticle: return a.showReticle == b.showReticle;
    case SettingsStep::Page: return a.page == b.page;
    case SettingsStep::SelectedPlugin: return a.selectedPlugin == b.selectedPlugin;
    default: return true;  // Descriptive and Done hold no value; Columns may stop part-way
  }
}

// Decimal digits with an optional sign, nothing else, within 32 bits.
int ReferenceInteger(const std::string& text, int fallback) {
  size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
  if (i == text.size()) return fallback;
  for (size_t k = i; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return fallback;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return fallback;
  return static_cast<int>(v);
}

void CheckLoad(FuzzedDataProvider& in) {
  MemorySettingsStore store;
  SettingsContext context;
  if (in.ConsumeIntegralInRange<int>(0, 7) == 0) context.title = in.ConsumeRandomLengthString(12);
  context.programPath = in.ConsumeRandomLengthString(40);
  context.pluginCount = in.ConsumeIntegralInRange<int>(0, 8);
  context.ppi = in.ConsumeBool() ? 96 : in.ConsumeIntegral<int>();
  if (in.ConsumeIntegralInRange<int>(0, 15) == 0) store.failCreateKey.insert(context.title);
  if (in.ConsumeIntegralInRange<int>(0, 15) == 0) store.failSetData.insert("@Version");

  for (const Named& v : kValues) MaybeSet(in, store, context.title, v.name);
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i < kColumnCounts[k]; ++i)
      MaybeSet(in, store, context.title + "\\" + kColumnKeys[k], std::to_string(i));

  const SettingsValues before = Before(in, context.pluginCount);
  SettingsValues values = before;
  LoadSettingsResult result;
  try {
    result = LoadSettings(store, context, values);
  } catch (const std::exception& e) {
    FUZZ_CHECK(false, std::string("LoadSettings threw: ") + e.what());
  }
  CheckRanges(values, context.pluginCount, "after loading:");
  FUZZ_CHECK(result.Complete() == result.error.empty(), "error '" + result.error + "'");

  // It stops only for a value it cannot use, and only the earlier steps moved.
  const SettingsStep stop = result.stoppedAt;
  for (const Named& v : kValues) {
    const StoredValue s = store.Read(context.title, v.name);
    const bool text = s.type == kRegSz || s.type == kRegExpandSz;
    if (v.step < stop) FUZZ_CHECK(!s.exists || text, std::string(v.name) + " passed with a bad type");
    if (v.step == stop && stop != SettingsStep::Page)
      FUZZ_CHECK(s.exists && !text, std::string("stopped at ") + v.name + ": " + result.error);
    if (v.step >= stop)
      FUZZ_CHECK(StepUnchanged(v.step, values, before),
                 std::string(v.name) + " changed although the restore stopped before it");
  }
  if (stop == SettingsStep::Page) {
    const StoredValue s = store.Read(context.title, "Page");
    const int page = ReferenceInteger(s.data, 11);
    FUZZ_CHECK(s.exists && (!(s.type == kRegSz || s.type == kRegExpandSz) || page < 0 || page > 11),
               "stopped at Page: " + result.error);
  }
  if (result.Complete()) {
    const StoredValue page = store.Read(context.title, "Page");
    FUZZ_CHECK(values.page == (page.exists ? ReferenceInteger(page.data, 11) : 11));
  }

  // What was restored is written and restored again unchanged.
  if (stop == SettingsStep::Descriptive) return;
  MemorySettingsStore again;
  SettingsContext plain = context;
  plain.ppi = 96;
  plain.pluginCount = 8;
  FUZZ_CHECK(SaveSettings(again, plain, values).empty());
  SettingsValues reread;
  const LoadSettingsResult second = LoadSettings(again, plain, reread);
  FUZZ_CHECK(second.Complete(), "re-reading stopped: " + second.error);
  FUZZ_CHECK(SameValues(values, reread), "values changed on their way through the store");
  FUZZ_CHECK(again.Text(plain.title, "@Version") == kSettingsVersion &&
             again.Text(plain.title, "@Path") == plain.programPath);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeIntegralInRange<int>(0, 3) == 0) {
    const std::string text = in.ConsumeRemainingBytesAsString();
    const int fallback = static_cast<int>(text.size()) - 7;
    FUZZ_CHECK(ParseSettingInteger(text, fallback) == ReferenceInteger(text, fallback),
               "'" + Shown(text) + "' read as " + std::to_string(ParseSettingInteger(text, fallback)));
    return 0;
  }
  CheckLoad(in);
  return 0;
}
