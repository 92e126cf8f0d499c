// The Modify page inside a real main window: loaded by the inspection, enabled
// by the probing state, the plug-ins of the program's own folder (the build's
// Plugins\Boxes.dll) and their selection kept in the settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "modify_fixture_test.h"
#include "support/Settings.h"
#include "support/Wait.h"

using namespace modify_test;

namespace {

const char kBoxesName[] = "List/combo box items copier";

class ModifyMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetTarviskSettings(); }
  void TearDown() override {
    Close();
    ResetTarviskSettings();
  }
  // A main window that starts idle, as after "&Probe when run" was turned off.
  void Open() {
    PutTarviskSetting("AutoStart", "0");
    frm = std::make_unique<TfrmTarvisk>();
    ASSERT_TRUE(frm->Create());
    frm->HideNag = true;
    frm->Modify.SetPrompts(&prompts);
    PumpMessages();
  }
  void Close() {
    if (frm && IsWindow(frm->Handle())) DestroyWindow(frm->Handle());
    frm.reset();
    PumpMessages();
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  HWND C(int id) const { return frm->Modify.Control(id); }
  std::string Text(int id) const { return WindowTextOf(C(id)); }
  void Click(int id) { SendMessageA(C(id), BM_CLICK, 0, 0); }

  std::unique_ptr<TfrmTarvisk> frm;
  ScriptedPrompts prompts;
  Targets targets;
};

}  // namespace

TEST_F(ModifyMainWindowTest, InspectionLoadsThePageAndProbingStateEnablesIt) {
  Open();
  EXPECT_EQ(GetParent(C(IDC_GRBPROPERTIES)), frm->Sheet(kPageModify));
  HWND top = targets.Make("Main target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 130, 320, 210);
  HWND child = targets.Make("Child target", WS_CHILD | WS_VISIBLE, 11, 12, 50, 40, top);

  frm->InspectWindow(FromHwnd(top), false);
  EXPECT_EQ(Text(IDC_EDTWIDTH), "320");
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), "Main target");
  EXPECT_FALSE(frm->Modify.Filling());
  // Idle: a change reaches the target at once.
  SetWindowTextA(C(IDC_EDTHEIGHT), "250");
  EXPECT_EQ(RectOf(top).bottom - RectOf(top).top, 250);

  // Probing: the page is disabled and follows every inspection without acting.
  frm->btnStartClick();
  ASSERT_TRUE(frm->Probing());
  EXPECT_FALSE(IsWindowEnabled(C(IDC_EDTLEFT)));
  EXPECT_FALSE(IsWindowEnabled(C(IDC_BTNPLUGINADD)));
  frm->InspectWindow(FromHwnd(child), false);
  EXPECT_EQ(Text(IDC_EDTLEFT), "11");
  SetWindowTextA(C(IDC_EDTLEFT), "99");
  POINT p = {0, 0};
  MapWindowPoints(child, top, &p, 1);
  EXPECT_EQ(p.x, 11);

  // Stopping on a child leaves the state group off; on a top-level window it is on.
  frm->btnStartClick();
  ASSERT_FALSE(frm->Probing());
  EXPECT_TRUE(IsWindowEnabled(C(IDC_EDTLEFT)));
  EXPECT_FALSE(IsWindowEnabled(C(IDC_RGRSTATE + 1)));
  EXPECT_EQ(Text(IDC_EDTLEFT), "11");  // filled again at the stop
  frm->btnStartClick();
  frm->InspectWindow(FromHwnd(top), false);
  frm->btnStartClick();
  EXPECT_TRUE(IsWindowEnabled(C(IDC_RGRSTATE + 1)));

  // A refresh reloads the page without moving the target.
  RECT before = RectOf(top);
  frm->RefreshInformation();
  RECT after = RectOf(top);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(frm->Modify.Filling());
}

TEST_F(ModifyMainWindowTest, PluginsOfTheProgramFolderRunOnTheTarget) {
  Open();
  ASSERT_GE(frm->Modify.PluginCount(), 1);
  HWND list = C(IDC_LSBPLUGINS);
  char first[256] = {};
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, kBoxesName);
  // No stored choice: the stored default, the first row, is selected.
  EXPECT_EQ(frm->Modify.SelectedPlugin(), 0);
  EXPECT_EQ(Text(IDC_EDTPLUGINHINT), "Click Execute to copy items");
  EXPECT_TRUE(IsWindowEnabled(C(IDC_BTNPLUGINEXECUTE)));

  HWND form = targets.Make("Boxes form", WS_POPUP | WS_VISIBLE, 600, 100, 300, 300);
  HWND box = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS, 0, 0, 200, 150, form,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  for (const char* item : {"one", "two"}) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  frm->InspectWindow(FromHwnd(form), false);
  frm->InspectWindow(FromHwnd(box), false);
  // Changed behind the page's back: only the refresh after executing shows it.
  SetWindowTextA(box, "renamed");
  Click(IDC_BTNPLUGINEXECUTE);
  EXPECT_EQ(Text(IDC_EDTPLUGINRESULT), "The items are copied to clipboard");
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), "renamed");
  EXPECT_FALSE(frm->Probing());
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "one\r\ntwo\r\n");
      GlobalUnlock(data);
    }
    EmptyClipboard();
    CloseClipboard();
  }
}

TEST_F(ModifyMainWindowTest, SelectedPluginIsKeptInTheSettings) {
  Open();
  SendMessageA(C(IDC_LSBPLUGINS), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageA(frm->Sheet(kPageModify), WM_COMMAND, MAKEWPARAM(IDC_LSBPLUGINS, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(C(IDC_LSBPLUGINS)));
  EXPECT_EQ(frm->Modify.SelectedPlugin(), -1);
  EXPECT_FALSE(IsWindowEnabled(C(IDC_BTNPLUGINDELETE)));
  Close();
  EXPECT_EQ(TarviskSetting("SelectedPlugin"), "-1");

  // A stored row beyond the list selects nothing; a valid one is selected.
  PutTarviskSetting("SelectedPlugin", "1");
  Open();
  ASSERT_EQ(frm->Modify.PluginCount(), 1);
  EXPECT_EQ(frm->Modify.SelectedPlugin(), -1);
  Close();
  PutTarviskSetting("SelectedPlugin", "0");
  Open();
  EXPECT_EQ(frm->Modify.SelectedPlugin(), 0);
  EXPECT_TRUE(IsWindowEnabled(C(IDC_BTNPLUGINABOUT)));
  Close();
  EXPECT_EQ(TarviskSetting("SelectedPlugin"), "0");
}
