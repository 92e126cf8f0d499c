#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Settings.h"

namespace {

const std::string kKey = "Tarvisk";

SettingsContext Context(int plugins = 0, int ppi = 96) {
  SettingsContext c;
  c.programPath = "C:\\Tarvisk\\Tarvisk.exe";
  c.pluginCount = plugins;
  c.ppi = ppi;
  return c;
}

// What the main window holds before the restore: its design state, which
// differs from the missing-value defaults in every field we can tell apart.
SettingsValues DesignState() {
  SettingsValues v;
  v.left = 314;
  v.top = 241;
  v.digChildren = false;
  v.autoStart = false;
  v.alwaysOnTop = false;
  v.showReticle = false;
  v.integerFormat = 1;
  v.zoom = 2;
  v.page = 11;
  v.selectedPlugin = -1;
  return v;
}

}  // namespace

TEST(SettingsLoad, NoKeyAtAllGivesTheDefaults) {
  MemorySettingsStore store;
  SettingsValues v = DesignState();
  LoadSettingsResult r = LoadSettings(store, Context(), v);
  EXPECT_TRUE(r.Complete());
  EXPECT_EQ(v.page, 11);
  EXPECT_FALSE(v.hideNag || v.showSubchildren || v.flashTarget || v.sortInverted);
  EXPECT_TRUE(v.digChildren && v.autoStart && v.alwaysOnTop && v.showReticle);
  EXPECT_EQ(v.integerFormat, 0);
  EXPECT_EQ(v.constsFormat, 0);
  EXPECT_EQ(v.zoom, 0);
  EXPECT_EQ(v.startStopHotKey, 145);
  EXPECT_EQ(v.left, 314);  // missing position keeps the current one
  EXPECT_EQ(v.top, 241);
  EXPECT_EQ(v.columns.parents, (std::array<int, 4>{{25, 68, 104, 112}}));
  EXPECT_EQ(v.columns.modules, (std::array<int, 2>{{100, 218}}));
  EXPECT_EQ(v.selectedPlugin, -1);  // no plug-ins: no row
  // The descriptive values are written even on a first run.
  EXPECT_EQ(store.Text(kKey, "@Name"), "Tarvisk");
  EXPECT_EQ(store.Text(kKey, "@Path"), "C:\\Tarvisk\\Tarvisk.exe");
  EXPECT_EQ(store.Text(kKey, "@Version"), "5.2");
  EXPECT_EQ(store.Size(), 3u);
}

TEST(SettingsLoad, NumbersBooleansAndRadioClamping) {
  struct Case {
    const char* text;
    int expected;
  };
  for (Case c : {Case{"7", 2}, Case{"-5", -1}, Case{"abc", 0}, Case{"", 0}, Case{"1", 1},
                 Case{"-1", -1}, Case{"1x", 0}, Case{"99999999999", 0}}) {
    MemorySettingsStore store;
    store.Set(kKey, "IntegerFormat", kRegSz, c.text);
    SettingsValues v = DesignState();
    EXPECT_TRUE(LoadSettings(store, Context(), v).Complete());
    EXPECT_EQ(v.integerFormat, c.expected) << c.text;
  }
  MemorySettingsStore store;
  store.Set(kKey, "HideNag", kRegSz, "2");
  store.Set(kKey, "ShowReticle", kRegExpandSz, "0");
  store.Set(kKey, "AutoStart", kRegSz, "no");  // malformed: default true
  store.Set(kKey, "ConstsFormat", kRegSz, "5");
  store.Set(kKey, "Zoom", kRegSz, "9");
  store.Set(kKey, "StartStopHotKey", kRegSz, "-1");
  store.Set(kKey, "SortMode", kRegSz, "3");
  store.Set(kKey, "Left", kRegSz, "-1200");
  SettingsValues v = DesignState();
  EXPECT_TRUE(LoadSettings(store, Context(), v).Complete());
  EXPECT_TRUE(v.hideNag);
  EXPECT_FALSE(v.showReticle);
  EXPECT_TRUE(v.autoStart);
  EXPECT_EQ(v.constsFormat, 1);
  EXPECT_EQ(v.zoom, 5);
  EXPECT_EQ(v.startStopHotKey, 0xFFFF);  // low 16 bits
  EXPECT_EQ(v.sortColumn, 3);
  EXPECT_EQ(v.lastSortColumn, 3);
  EXPECT_EQ(v.left, -1200);  // no check against the screen

  EXPECT_EQ(ClampRadioIndex(3, 3), 2);
  EXPECT_EQ(ClampRadioIndex(-1, 3), -1);
  EXPECT_EQ(ClampRadioIndex(-2, 3), -1);
  EXPECT_EQ(ClampRadioIndex(0, 6), 0);
  EXPECT_EQ(ParseSettingInteger("-2147483648", 7), INT32_MIN);
  EXPECT_EQ(ParseSettingInteger("2147483648", 7), 7);
  EXPECT_EQ(ParseSettingInteger("-", 7), 7);
}

TEST(SettingsLoad, PageOutOfRangeEndsTheRestoreBeforeSelectedPlugin) {
  for (const char* page : {"12", "-1"}) {
    MemorySettingsStore store;
    store.Set(kKey, "Zoom", kRegSz, "3");
    store.Set(kKey, "Page", kRegSz, page);
    store.Set(kKey, "SelectedPlugin", kRegSz, "1");
    SettingsValues v = DesignState();
    LoadSettingsResult r = LoadSettings(store, Context(3), v);
    EXPECT_EQ(r.stoppedAt, SettingsStep::Page) << page;
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(v.zoom, 3);             // read before the error
    EXPECT_EQ(v.page, 11);            // the About page stays
    EXPECT_EQ(v.selectedPlugin, -1);  // never reached
  }
  MemorySettingsStore store;
  store.Set(kKey, "Page", kRegSz, "4");
  store.Set(kKey, "SelectedPlugin", kRegSz, "1");
  SettingsValues v = DesignState();
  EXPECT_TRUE(LoadSettings(store, Context(3), v).Complete());
  EXPECT_EQ(v.page, 4);
  EXPECT_EQ(v.selectedPlugin, 1);
}

TEST(SettingsLoad, AValueOfAnotherTypeStopsTheRestoreThere) {
  MemorySettingsStore store;
  store.Set(kKey, "HideNag", kRegSz, "1");
  store.Set(kKey, "Left", kRegDword, std::string("\x10\0\0\0", 4));
  store.Set(kKey, "Top", kRegSz, "500");
  store.Set(kKey, "DigChildren", kRegSz, "1");
  store.Set(kKey, "Page", kRegSz, "0");
  SettingsValues v = DesignState();
  LoadSettingsResult r = LoadSettings(store, Context(), v);
  EXPECT_EQ(r.stoppedAt, SettingsStep::Left);
  EXPECT_EQ(r.error, "Invalid data type for 'Left'");
  EXPECT_TRUE(v.hideNag);  // before Left
  EXPECT_EQ(v.left, 314);
  EXPECT_EQ(v.top, 241);
  EXPECT_FALSE(v.digChildren);  // design state, not the stored or default value
  EXPECT_EQ(v.integerFormat, 1);
  EXPECT_EQ(v.page, 11);

  // A bad column value stops within the list: earlier columns are applied.
  MemorySettingsStore cols;
  cols.Set(kKey + "\\ParentsColumns", "0", kRegSz, "40");
  cols.Set(kKey + "\\ParentsColumns", "1", kRegBinary, "x");
  cols.Set(kKey, "Zoom", kRegSz, "4");
  SettingsValues w = DesignState();
  w.columns.parents = {{1, 2, 3, 4}};
  r = LoadSettings(cols, Context(), w);
  EXPECT_EQ(r.stoppedAt, SettingsStep::Columns);
  EXPECT_EQ(r.error, "Invalid data type for '1'");
  EXPECT_EQ(w.columns.parents, (std::array<int, 4>{{40, 2, 3, 4}}));
  EXPECT_EQ(w.zoom, 2);
}

TEST(SettingsLoad, SelectedPluginNeedsAnExistingRow) {
  EXPECT_TRUE(SelectedPluginValid(0, 1));
  EXPECT_FALSE(SelectedPluginValid(1, 1));
  EXPECT_FALSE(SelectedPluginValid(0, 0));
  EXPECT_FALSE(SelectedPluginValid(-1, 2));
  EXPECT_FALSE(SelectedPluginValid(-3, 2));
  MemorySettingsStore store;  // missing: row 0 when there is one
  SettingsValues v = DesignState();
  LoadSettings(store, Context(2), v);
  EXPECT_EQ(v.selectedPlugin, 0);
}

TEST(SettingsColumns, WidthsScaleWithTheScreenResolution) {
  EXPECT_EQ(ColumnWidthFromStored(80, 120), 100);
  EXPECT_EQ(ColumnWidthToStored(100, 120), 80);
  EXPECT_EQ(ColumnWidthToStored(101, 144), 67);
  EXPECT_EQ(ColumnWidthFromStored(25, 144), 37);  // 37.5 truncated
  EXPECT_EQ(ColumnWidthFromStored(-25, 144), -37);  // toward zero
  EXPECT_EQ(ColumnWidthFromStored(50, 0), 50);

  MemorySettingsStore store;
  store.Set(kKey + "\\ModulesColumns", "0", kRegSz, "80");
  SettingsValues v;
  EXPECT_TRUE(LoadSettings(store, Context(0, 120), v).Complete());
  EXPECT_EQ(v.columns.modules[0], 100);
  EXPECT_EQ(v.columns.modules[1], 218 * 120 / 96);  // design width, scaled
  EXPECT_EQ(v.columns.digger[0], 31);

  v.columns.modules = {{100, 272}};
  v.columns.parents = {{101, 0, 0, 0}};
  MemorySettingsStore out;
  EXPECT_EQ(SaveSettings(out, Context(0, 120), v), "");
  EXPECT_EQ(out.Text(kKey + "\\ModulesColumns", "0"), "80");
  EXPECT_EQ(out.Text(kKey + "\\ModulesColumns", "1"), "217");
  EXPECT_EQ(out.Text(kKey + "\\ParentsColumns", "0"), "80");
  MemorySettingsStore out144;
  EXPECT_EQ(SaveSettings(out144, Context(0, 144), v), "");
  EXPECT_EQ(out144.Text(kKey + "\\ParentsColumns", "0"), "67");
}

TEST(SettingsSave, WritesEveryValueAsTextAndRoundTrips) {
  SettingsValues v;
  v.hideNag = true;
  v.left = -20;
  v.top = 15;
  v.showSubchildren = true;
  v.digChildren = false;
  v.integerFormat = -1;
  v.constsFormat = 1;
  v.startStopHotKey = 0x8091;
  v.sortColumn = 2;
  v.lastSortColumn = 0;
  v.sortInverted = true;
  v.zoom = 5;
  v.page = 9;
  v.selectedPlugin = -1;
  MemorySettingsStore store;
  EXPECT_EQ(SaveSettings(store, Context(), v), "");
  EXPECT_EQ(store.writes, 17 + 14);  // the values (no @ values) and 14 column widths
  EXPECT_EQ(store.Text(kKey, "HideNag"), "1");
  EXPECT_EQ(store.Text(kKey, "DigChildren"), "0");
  EXPECT_EQ(store.Text(kKey, "Left"), "-20");
  EXPECT_EQ(store.Text(kKey, "IntegerFormat"), "-1");
  EXPECT_EQ(store.Text(kKey, "StartStopHotKey"), "32913");
  EXPECT_EQ(store.Text(kKey, "SortMode"), "2");
  EXPECT_EQ(store.Text(kKey, "SelectedPlugin"), "-1");
  EXPECT_FALSE(store.Has(kKey, "@Name"));

  SettingsValues back = DesignState();
  EXPECT_TRUE(LoadSettings(store, Context(1), back).Complete());
  EXPECT_EQ(back.left, -20);
  EXPECT_TRUE(back.hideNag && back.showSubchildren && back.sortInverted);
  EXPECT_FALSE(back.digChildren);
  EXPECT_EQ(back.integerFormat, -1);
  EXPECT_EQ(back.startStopHotKey, 0x8091);
  EXPECT_EQ(back.sortColumn, 2);
  EXPECT_EQ(back.lastSortColumn, 2);
  EXPECT_EQ(back.zoom, 5);
  EXPECT_EQ(back.page, 9);
  EXPECT_EQ(back.selectedPlugin, -1);
  EXPECT_EQ(back.columns.children, v.columns.children);
}

TEST(SettingsSave, TheFirstWriteErrorEndsTheWriting) {
  SettingsValues v;
  MemorySettingsStore store;
  store.Set(kKey, "Top", kRegSz, "777");  // from an earlier run
  store.failSetData.insert("Left");
  EXPECT_EQ(SaveSettings(store, Context(), v), "Failed to set data for 'Left'");
  EXPECT_EQ(store.writes, 1);  // HideNag only
  EXPECT_EQ(store.Text(kKey, "Top"), "777");

  MemorySettingsStore cols;
  cols.failCreateKey.insert(kKey + "\\DiggerColumns");
  EXPECT_EQ(SaveSettings(cols, Context(), v), "Failed to create key Tarvisk\\DiggerColumns");
  EXPECT_TRUE(cols.Has(kKey + "\\ChildrenColumns", "3"));
  EXPECT_FALSE(cols.Has(kKey + "\\ModulesColumns", "0"));
  EXPECT_FALSE(cols.Has(kKey, "Zoom"));

  // At start-up a failed descriptive write ends the restore before any read.
  MemorySettingsStore start;
  start.failSetData.insert("@Version");
  start.Set(kKey, "HideNag", kRegSz, "1");
  SettingsValues w;
  LoadSettingsResult r = LoadSettings(start, Context(), w);
  EXPECT_EQ(r.stoppedAt, SettingsStep::Descriptive);
  EXPECT_FALSE(w.hideNag);
}
