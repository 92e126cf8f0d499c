// Settings survive a restart through the registry, and bad values end the
// restore without stopping the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "relations/RelationPages.h"
#include "support/Settings.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

const char kKey[] = "SOFTWARE\\Norvane\\Tarvisk";

class SettingsRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetTarviskSettings(); }
  void TearDown() override {
    frm.reset();
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    ResetTarviskSettings();
  }
  void Start() {
    frm = std::make_unique<TfrmTarvisk>();
    ASSERT_TRUE(frm->Create());
    PumpMessages();  // the pages not in front are made once messages flow
  }
  void Stop() {
    DestroyWindow(frm->Handle());
    frm.reset();
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  HWND Options() { return frm->Sheet(kPageOptions); }
  std::unique_ptr<TfrmTarvisk> frm;
};

TEST_F(SettingsRestoreTest, FirstRunUsesDefaultsAndWritesEverythingBack) {
  Start();
  EXPECT_EQ(TarviskSetting("@Name"), "Tarvisk");
  EXPECT_EQ(TarviskSetting("@Version"), "5.2");
  EXPECT_NE(TarviskSetting("@Path").find("win_tests.exe"), std::string::npos);
  EXPECT_EQ(frm->pgcMain.ActiveIndex(), kPageAbout);
  EXPECT_FALSE(frm->HideNag);
  EXPECT_TRUE(frm->Probing());
  Stop();
  EXPECT_EQ(TarviskSetting("HideNag"), "0");
  EXPECT_EQ(TarviskSetting("AutoStart"), "1");
  EXPECT_EQ(TarviskSetting("StartStopHotKey"), "145");
  EXPECT_EQ(TarviskSetting("Page"), "11");
  EXPECT_EQ(TarviskSetting("IntegerFormat"), "0");
}

TEST_F(SettingsRestoreTest, ChangedOptionsSurviveARestart) {
  Start();
  SetRadioGroupIndex(Options(), IDC_RGRFORMAT, 3, 1);
  SetRadioGroupIndex(Options(), IDC_RGRCASE, 2, 1);
  SetChecked(Options(), IDC_CHBFLASH, true);
  SetChecked(Options(), IDC_CHBAUTOSTART, false);
  frm->SetStartStopHotKey(0x91 | 0x4000);
  frm->pgcMain.SetActiveIndex(kPageClass);
  frm->HideNag = true;
  SetWindowPos(frm->Handle(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetChecked(Options(), IDC_CHBSHOWSUBCHILDREN, true);
  SetChecked(Options(), IDC_CHBDIGCHILDREN, false);
  SetChecked(Options(), IDC_CHBALWAYSONTOP, false);
  frm->Inspected.sort.column = 2;
  frm->Inspected.sort.inverted = true;
  frm->Graphics.SetZoomIndex(3);
  frm->Graphics.SetShowReticle(false);
  frm->WindowLists().SetColumnWidths(kListParents, {30, 70, 110, 120});
  frm->Modify.RestorePluginSelection(-1);
  Stop();
  EXPECT_EQ(TarviskSetting("Left"), "123");
  EXPECT_EQ(TarviskSetting("StartStopHotKey"), std::to_string(0x91 | 0x4000));
  EXPECT_EQ(TarviskSetting("SelectedPlugin"), "-1");
  EXPECT_EQ(TarviskSetting("Zoom"), "3");

  Start();
  EXPECT_EQ(frm->IntegerFormat(), 1);
  EXPECT_EQ(frm->ConstsFormat(), 1);
  EXPECT_TRUE(IsChecked(Options(), IDC_CHBFLASH));
  EXPECT_FALSE(frm->Probing()) << "probing at start-up was switched off";
  EXPECT_EQ(frm->StartStopHotKey(), 0x91 | 0x4000);
  EXPECT_EQ(frm->pgcMain.ActiveIndex(), kPageClass);
  EXPECT_TRUE(frm->HideNag);
  RECT r;
  GetWindowRect(frm->Handle(), &r);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 77);
  EXPECT_TRUE(IsChecked(Options(), IDC_CHBSHOWSUBCHILDREN));
  EXPECT_FALSE(IsChecked(Options(), IDC_CHBDIGCHILDREN));
  EXPECT_FALSE(IsChecked(Options(), IDC_CHBALWAYSONTOP));
  EXPECT_EQ(frm->Inspected.sort.column, 2);
  EXPECT_EQ(frm->Inspected.sort.lastColumn, 2);
  EXPECT_TRUE(frm->Inspected.sort.inverted);
  EXPECT_EQ(frm->Graphics.ZoomIndex(), 3);
  EXPECT_FALSE(frm->Graphics.ShowReticle());
  EXPECT_EQ(frm->WindowLists().ColumnWidths(kListParents), (RelationListWidths{30, 70, 110, 120}));
  EXPECT_EQ(frm->Modify.SelectedPlugin(), -1);
}

TEST_F(SettingsRestoreTest, MalformedNumbersAndOutOfRangeIndices) {
  PutTarviskSetting("IntegerFormat", "7");
  PutTarviskSetting("ConstsFormat", "abc");
  PutTarviskSetting("HideNag", "2");
  Start();
  EXPECT_EQ(frm->IntegerFormat(), 2) << "above the last item selects the last";
  EXPECT_EQ(frm->ConstsFormat(), 0) << "a malformed number gives the default";
  EXPECT_TRUE(frm->HideNag) << "any non-zero number is true";
  Stop();
  PutTarviskSetting("IntegerFormat", "-5");
  Start();
  EXPECT_EQ(frm->IntegerFormat(), -1) << "below -1 leaves no item selected";
}

TEST_F(SettingsRestoreTest, BadPageOrValueTypeEndsTheRestoreSilently) {
  PutTarviskSetting("Page", "12");
  PutTarviskSetting("FlashTarget", "1");
  Start();
  EXPECT_EQ(frm->pgcMain.ActiveIndex(), kPageAbout);
  EXPECT_TRUE(IsChecked(Options(), IDC_CHBFLASH)) << "values before Page are restored";
  Stop();

  ResetTarviskSettings();
  PutTarviskSetting("HideNag", "1");
  PutTarviskSetting("AutoStart", "0");
  HKEY key;
  RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key);
  DWORD left = 500;
  RegSetValueExA(key, "Left", 0, REG_DWORD, reinterpret_cast<BYTE*>(&left), sizeof left);
  RegCloseKey(key);
  Start();
  EXPECT_TRUE(frm->HideNag) << "restored before Left";
  EXPECT_TRUE(IsChecked(Options(), IDC_CHBAUTOSTART)) << "after Left: the design state";
  EXPECT_TRUE(frm->Probing());
  EXPECT_TRUE(frm->HotKeyRegistered) << "the steps after the restore still run";
}

}  // namespace
