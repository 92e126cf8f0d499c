// A start makes only the page in front of the user; the others are made later,
// in the state the settings and the inspections left for them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CommandStates.h"
#include "app/HotKeyValue.h"
#include "app/MainWindow.h"
#include "exeinfo/ExePages.h"
#include "inspect/InfoPages.h"
#include "report/Report.h"
#include "support/Settings.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

bool Made(TfrmTarvisk& frm, int page) { return GetWindow(frm.Sheet(page), GW_CHILD) != nullptr; }

class LatePagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTarviskSettings();
    PutTarviskSetting("HideNag", "1");
    PutTarviskSetting("AutoStart", "0");
  }
  void TearDown() override {
    Stop();
    if (target) DestroyWindow(target);
    ResetTarviskSettings();
  }
  // Created as the program starts, before its message loop runs.
  void Start() {
    frm = std::make_unique<TfrmTarvisk>();
    ASSERT_TRUE(frm->Create());
  }
  void Stop() {
    if (frm && IsWindow(frm->Handle())) DestroyWindow(frm->Handle());
    frm.reset();
    PumpMessages();
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  void SelectPage(int index) {
    SendMessageA(frm->pgcMain.Handle(), TCM_SETCURSEL, index, 0);
    NMHDR hdr = {frm->pgcMain.Handle(), IDC_PGCMAIN, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(frm->Handle(), WM_NOTIFY, IDC_PGCMAIN, reinterpret_cast<LPARAM>(&hdr));
  }
  std::unique_ptr<TfrmTarvisk> frm;
  HWND target = nullptr;
};

// The restored settings of pages not made yet are neither lost by a run that
// ends before they are made nor changed when they are made.
TEST_F(LatePagesTest, SettingsOfPagesNotMadeYetSurviveAndReachTheirControls) {
  const std::string hotKey = std::to_string(0x4000 | 'K');
  PutTarviskSetting("Page", "1");
  PutTarviskSetting("IntegerFormat", "2");
  PutTarviskSetting("ConstsFormat", "1");
  PutTarviskSetting("FlashTarget", "1");
  PutTarviskSetting("AlwaysOnTop", "0");
  PutTarviskSetting("ShowSubchildren", "1");
  PutTarviskSetting("StartStopHotKey", hotKey.c_str());
  PutTarviskSetting("Zoom", "2");
  PutTarviskSetting("ShowReticle", "0");
  for (const char* list : {"\\ParentsColumns", "\\DiggerColumns"}) {
    for (const char* column : {"0", "1", "2", "3"}) PutTarviskSetting(column, "57", list);
  }
  PutTarviskSetting("1", "150", "\\ModulesColumns");

  Start();
  for (int page = 0; page < kPageCount; ++page) {
    EXPECT_EQ(Made(*frm, page), page == kPageClass) << "page " << page;
  }
  EXPECT_EQ(frm->IntegerFormat(), 2);
  EXPECT_EQ(frm->ConstsFormat(), 1);
  EXPECT_TRUE(frm->OptionChecked(IDC_CHBFLASH));
  EXPECT_FALSE(frm->OptionChecked(IDC_CHBALWAYSONTOP));
  EXPECT_EQ(frm->StartStopHotKey(), 0x4000 | 'K');
  Stop();  // before any other page was made
  EXPECT_EQ(TarviskSetting("IntegerFormat"), "2");
  EXPECT_EQ(TarviskSetting("FlashTarget"), "1");
  EXPECT_EQ(TarviskSetting("StartStopHotKey"), hotKey);
  EXPECT_EQ(TarviskSetting("Zoom"), "2");
  EXPECT_EQ(TarviskSetting("ShowReticle"), "0");
  EXPECT_EQ(TarviskSetting("2", "\\ParentsColumns"), "57");
  EXPECT_EQ(TarviskSetting("1", "\\ModulesColumns"), "150");
  EXPECT_EQ(TarviskSetting("0", "\\ModulesColumns"), "100");

  Start();
  frm->Show();
  EXPECT_FALSE(GetWindowLongA(frm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "\"Always on top\" is off";
  PumpMessages();
  for (int page = 0; page < kPageCount; ++page) EXPECT_TRUE(Made(*frm, page)) << "page " << page;
  HWND options = frm->Sheet(kPageOptions);
  EXPECT_EQ(RadioGroupIndex(options, IDC_RGRFORMAT, 3), 2);
  EXPECT_EQ(RadioGroupIndex(options, IDC_RGRCASE, 2), 1);
  EXPECT_TRUE(IsChecked(options, IDC_CHBFLASH));
  EXPECT_TRUE(IsChecked(options, IDC_CHBSHOWSUBCHILDREN));
  EXPECT_FALSE(IsChecked(options, IDC_CHBALWAYSONTOP));
  EXPECT_TRUE(IsChecked(options, IDC_CHBDIGCHILDREN));
  EXPECT_EQ(frm->StartStopHotKey(), 0x4000 | 'K');
  EXPECT_EQ(frm->Graphics.ZoomIndex(), 2);
  EXPECT_FALSE(frm->Graphics.ShowReticle());
  EXPECT_EQ(frm->WindowLists().ColumnWidths(kListDigger), (RelationListWidths{57, 57, 57, 57}));
  EXPECT_EQ(frm->WindowLists().ColumnWidths(kListChildren), (RelationListWidths{25, 68, 104, 112}));
  EXPECT_EQ(GetModulesColumnWidths(frm->Sheet(kPageModules)), (std::array<int, 2>{{100, 150}}));
  // Probing was never started: the Tree page's commands keep their design state.
  EXPECT_FALSE(IsWindowEnabled(frm->Tree().btnFindWindow()));
  frm->btnStartClick();
  frm->btnStartClick();
  EXPECT_TRUE(IsWindowEnabled(frm->Tree().btnFindWindow()));
}

// A page made by the user's click or by the report shows the target as it was
// inspected, exactly as a page made at once would.
TEST_F(LatePagesTest, PagesMadeWhenNeededShowTheTargetAsInspected) {
  PutTarviskSetting("Page", "0");
  target = CreateWindowExA(0, "BUTTON", "late target", WS_POPUP | WS_VISIBLE, 700, 300, 210, 90, nullptr,
                           nullptr, nullptr, nullptr);
  Start();
  frm->InspectWindow(FromHwnd(target), true);
  SelectPage(kPageClass);
  EXPECT_EQ(WindowTextOf(GetDlgItem(frm->Sheet(kPageClass), IDC_EDTCLASS)), "Button");
  EXPECT_FALSE(Made(*frm, kPageModify));
  const std::string early = ReportText(frm->GatherReport());
  EXPECT_NE(early.find("late target"), std::string::npos);
  SelectPage(kPageModify);
  EXPECT_EQ(WindowTextOf(GetDlgItem(frm->Sheet(kPageModify), IDC_EDTWIDTH)), "210");

  PumpMessages();
  for (int page = 0; page < kPageCount; ++page) SelectPage(page);
  EXPECT_EQ(ReportText(frm->GatherReport()), early) << "as after visiting every page";
}

}  // namespace
