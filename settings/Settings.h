#pragma once
// The settings kept in the user's registry hive: their value names, defaults,
// encoding (every value a decimal or literal string) and the order in which
// they are restored at start-up and written at shutdown. The registry itself
// sits behind SettingsStore, so the mapping is tested against memory.
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Registry value types as the platform numbers them.
constexpr uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4;

struct StoredValue {
  bool exists = false;  // false when the subkey or the value is missing
  uint32_t type = 0;
  std::string data;  // for strings: the text without its terminating zero
};

enum class StoreWrite { Ok, CreateKeyFailed, SetDataFailed };

// Values are addressed by a subkey path relative to the maker key
// ("Tarvisk" or "Tarvisk\ParentsColumns") and a value name.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual StoredValue Read(const std::string& subkey, const std::string& name) = 0;
  // Creates the subkey when missing and stores text as REG_SZ.
  virtual StoreWrite WriteString(const std::string& subkey, const std::string& name,
                                 const std::string& text) = 0;
};

// Keeps values in memory; can be told to fail, for tests of the error paths.
class MemorySettingsStore : public SettingsStore {
 public:
  StoredValue Read(const std::string& subkey, const std::string& name) override;
  StoreWrite WriteString(const std::string& subkey, const std::string& name,
                         const std::string& text) override;

  void Set(const std::string& subkey, const std::string& name, uint32_t type,
           const std::string& data);
  bool Has(const std::string& subkey, const std::string& name) const;
  std::string Text(const std::string& subkey, const std::string& name) const;
  size_t Size() const { return m_values.size(); }

  std::set<std::string> failCreateKey;  // subkeys that cannot be created
  std::set<std::string> failSetData;    // value names that cannot be stored
  int writes = 0;                       // successful writes

 private:
  std::map<std::pair<std::string, std::string>, StoredValue> m_values;
};

constexpr const char* kSettingsVersion = "5.2";
constexpr int kPageCountForSettings = 12;  // pages 0 to 11; 11 is About

// Column widths in pixels, as the lists hold them. The defaults are the
// design widths, which are 1/96-inch units.
struct ColumnWidthSettings {
  std::array<int, 4> parents{{25, 68, 104, 112}};
  std::array<int, 4> children{{25, 68, 104, 112}};
  std::array<int, 4> digger{{25, 68, 104, 112}};
  std::array<int, 2> modules{{100, 218}};
};

// Every setting, initialised with its default for a missing value. Left and
// Top have no default of their own: a missing value keeps what is here.
struct SettingsValues {
  bool hideNag = false;
  int left = 314, top = 241;
  bool showSubchildren = false;
  bool digChildren = true;
  bool autoStart = true;
  bool flashTarget = false;
  bool alwaysOnTop = true;
  int integerFormat = 0;  // rgrFormat item index, -1 for none
  int constsFormat = 0;   // rgrCase item index, -1 for none
  uint16_t startStopHotKey = 145;
  int sortColumn = 0;
  int lastSortColumn = 0;  // restored together with sortColumn, never written
  bool sortInverted = false;
  ColumnWidthSettings columns;
  int zoom = 0;  // rgrZoom item index, -1 for none
  bool showReticle = true;
  int page = 11;
  int selectedPlugin = 0;  // lsbPlugins row, -1 for none
};

struct SettingsContext {
  std::string title = "Tarvisk";  // application title: the settings subkey
  std::string programPath;        // written as @Path
  int pluginCount = 0;            // rows of lsbPlugins when the settings are restored
  int ppi = 96;                   // screen's logical dots per inch
};

// The steps of the restore and of the writing, in their order.
enum class SettingsStep {
  Descriptive,  // @Name, @Path, @Version (restore only)
  HideNag, Left, Top, ShowSubchildren, DigChildren, AutoStart, FlashTarget, AlwaysOnTop,
  IntegerFormat, ConstsFormat, StartStopHotKey, SortMode, Inverted, Columns, Zoom,
  ShowReticle, Page, SelectedPlugin,
  Done
};

struct LoadSettingsResult {
  // Done when everything was restored; otherwise the step whose error ended
  // the restore. Values of that step (for Columns: of the columns not yet
  // read) and of every later step keep what the struct held before the call.
  SettingsStep stoppedAt = SettingsStep::Done;
  std::string error;
  bool Complete() const { return stoppedAt == SettingsStep::Done; }
};

// Writes @Name, @Path and @Version, then restores the values in order into
// values. Fill values with the current (design) state first: Left and Top
// missing keep it, and everything after an error keeps it. Radio indices come
// back clamped to their groups; a caller whose index changed acts as if the
// new item had been clicked.
LoadSettingsResult LoadSettings(SettingsStore& store, const SettingsContext& context,
                                SettingsValues& values);

// Writes every value in order. Returns the empty text on success, or the
// error ("Failed to create key %s", "Failed to set data for '%s'") that ended
// the writing; values after it keep what the registry held.
std::string SaveSettings(SettingsStore& store, const SettingsContext& context,
                         const SettingsValues& values);

// One list's widths: widths[i] in pixels, stored as "i" under
// title + "\" + subkey in 1/96-inch units. A missing or malformed value
// keeps the width already in widths[i] as its stored form (at start-up the
// design width). Both stop at the first error (false, *error set).
bool LoadColumnWidths(SettingsStore& store, const std::string& title, const std::string& subkey,
                      int* widths, int count, int ppi, std::string* error);
bool SaveColumnWidths(SettingsStore& store, const std::string& title, const std::string& subkey,
                      const int* widths, int count, int ppi, std::string* error);

// Stored 1/96-inch units to pixels and back; multiplication first, then
// division truncating toward zero. A ppi of 0 leaves the width as it is.
int ColumnWidthFromStored(int stored, int ppi);
int ColumnWidthToStored(int width, int ppi);

// How a radio group takes an index: above the last item selects the last,
// below -1 selects none (-1).
int ClampRadioIndex(int index, int itemCount);

// A stored plug-in row is applied only when it names an existing row.
bool SelectedPluginValid(int index, int pluginCount);

// The place and size a modeless window keeps under `prefix`Left, Top, Width
// and Height, stored as strings: the position only when both coordinates were
// kept, the size held within [200, 10000] by [150, 10000]. A missing or
// malformed value keeps what `place` had.
struct WindowPlace {
  bool hasPosition = false;
  int left = 0, top = 0, width = 0, height = 0;
};
void ReadWindowPlace(SettingsStore& store, const std::string& title, const std::string& prefix, WindowPlace& place);
// False when a value could not be written.
bool WriteWindowPlace(SettingsStore& store, const std::string& title, const std::string& prefix,
                      const WindowPlace& place);
// List columns' widths kept as "w1,w2,...": exactly `count` widths within
// [0, 2000], or nothing when the text is malformed or has another count.
std::vector<int> ParseColumnWidthList(const std::string& text, size_t count);
std::string ColumnWidthListText(const std::vector<int>& widths);

// Decimal text with an optional sign to a 32-bit integer; false for an empty
// or malformed text or one out of range, leaving value as it was.
bool ParseInt32(const std::string& text, int32_t& value);

// Decimal text to integer; an empty or malformed text, or one out of the
// 32-bit range, gives fallback.
int ParseSettingInteger(const std::string& text, int fallback);
