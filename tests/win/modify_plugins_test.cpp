// The Modify page's plug-in group with the built Boxes.dll and a test plug-in
// in a program folder of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include "modify_fixture_test.h"
#include "ui/Form.h"
#include "support/Files.h"

using namespace modify_test;

namespace {

const std::string kBoxesDll = BuildPath("Plugins/Boxes.dll");
const std::string kTestDll = BuildPath("testplugins/TestPlug.dll");
const char kBoxesName[] = "List/combo box items copier";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ModifyPluginsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.owner = frame.hwnd;
    host.programFolder = folder.Path();
    page.SetPrompts(&prompts);
    page.Create(frame.hwnd);
    frame.page = &page;
  }
  void TearDown() override {
    frame.page = nullptr;
    page.ReleasePlugins();
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }

  HWND C(int id) const { return page.Control(id); }
  std::string Text(int id) const { return WindowTextOf(C(id)); }
  void Click(int id) { SendMessageA(C(id), BM_CLICK, 0, 0); }
  void Install(const std::string& from, const std::string& name) {
    CreateDirectoryA(folder.Plugins().c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(from.c_str(), (folder.Plugins() + name).c_str(), FALSE)) << name;
  }
  // A row picked with the mouse: the list box tells its parent.
  void Pick(int row) {
    SendMessageA(C(IDC_LSBPLUGINS), LB_SETCURSEL, row, 0);
    SendMessageA(frame.hwnd, WM_COMMAND, MAKEWPARAM(IDC_LSBPLUGINS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(C(IDC_LSBPLUGINS)));
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    int n = static_cast<int>(SendMessageA(C(IDC_LSBPLUGINS), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[256] = {};
      SendMessageA(C(IDC_LSBPLUGINS), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      rows.push_back(text);
    }
    return rows;
  }
  int ListSelection() const { return static_cast<int>(SendMessageA(C(IDC_LSBPLUGINS), LB_GETCURSEL, 0, 0)); }
  bool PanelEnabled() const {
    bool all = true, none = true;
    for (int id : {IDC_BTNPLUGINDELETE, IDC_BTNPLUGINABOUT, IDC_BTNPLUGINEXECUTE, IDC_LBLPLUGINHINT,
                   IDC_EDTPLUGINHINT, IDC_LBLPLUGINDATA, IDC_EDTPLUGINDATA}) {
      bool on = IsWindowEnabled(C(id)) != FALSE;
      all = all && on;
      none = none && !on;
    }
    EXPECT_TRUE(all || none) << "the panel's controls go together";
    return all;
  }

  TempProgramFolder folder;
  PageFrame frame;
  StandInHost host;
  ScriptedPrompts prompts;
  ModifyPage page{host};
  Targets targets;
};

}  // namespace

TEST_F(ModifyPluginsTest, BuildsTheGroupAsLaidOut) {
  EXPECT_EQ(Text(IDC_GRBPLUGINS), "Plu&gins");
  EXPECT_TRUE(GetWindowLongA(C(IDC_LSBPLUGINS), GWL_STYLE) & LBS_SORT);
  RECT r;
  GetWindowRect(C(IDC_BTNPLUGINEXECUTE), &r);
  EXPECT_EQ(r.left, 312);
  EXPECT_EQ(r.top, 344);
  GetWindowRect(C(IDC_EDTPLUGINRESULT), &r);
  EXPECT_EQ(r.left, 76);
  EXPECT_EQ(r.top, 347);
  EXPECT_EQ(r.right - r.left, 225);
  EXPECT_TRUE(GetWindowLongA(C(IDC_EDTPLUGINHINT), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongA(C(IDC_EDTPLUGINHINT), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(C(IDC_EDTPLUGINRESULT), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongA(C(IDC_EDTPLUGINDATA), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(HelpContextOf(C(IDC_EDTPLUGINRESULT)), 93);
  EXPECT_EQ(FindHint(C(IDC_LSBPLUGINS)), "|List of installed pluging");
  // Before any discovery: nothing listed, the commands on a plug-in off.
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(PanelEnabled());
  EXPECT_EQ(page.SelectedPlugin(), -1);
  EXPECT_EQ(page.PluginCount(), 0);
}

TEST_F(ModifyPluginsTest, MissingOrEmptyFolderListsNothing) {
  page.DiscoverPlugins();  // no Plugins folder at all
  page.RestorePluginSelection(0);
  page.EnableModifyPage(true);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(page.SelectedPlugin(), -1);
  EXPECT_FALSE(PanelEnabled());
  EXPECT_TRUE(IsWindowEnabled(C(IDC_BTNPLUGINADD)));
  EXPECT_EQ(Text(IDC_EDTPLUGINHINT), "");

  CreateDirectoryA(folder.Plugins().c_str(), nullptr);
  page.DiscoverPlugins();
  EXPECT_EQ(page.PluginCount(), 0);
  Click(IDC_BTNPLUGINEXECUTE);  // disabled, and nothing to run anyway
  page.btnPluginExecuteClick();
  page.btnPluginAboutClick();
  page.btnPluginDeleteClick();
  EXPECT_EQ(host.refreshes, 0);
  EXPECT_TRUE(prompts.questions.empty() && prompts.infos.empty());
}

TEST_F(ModifyPluginsTest, DiscoveryRestoreAndThePanel) {
  Install(kTestDll, "TestPlug.dll");
  Install(kBoxesDll, "Boxes.dll");
  page.DiscoverPlugins();
  EXPECT_EQ(Rows(), (std::vector<std::string>{kBoxesName, "Test plug-in"}));
  EXPECT_EQ(page.PluginCount(), 2);
  EXPECT_EQ(ListSelection(), -1);

  page.RestorePluginSelection(2);  // the count: out of range
  EXPECT_EQ(page.SelectedPlugin(), -1);
  EXPECT_EQ(ListSelection(), -1);
  page.RestorePluginSelection(0);
  EXPECT_EQ(page.SelectedPlugin(), 0);
  EXPECT_EQ(ListSelection(), 0);
  EXPECT_EQ(Text(IDC_EDTPLUGINHINT), "Click Execute to copy items");
  EXPECT_TRUE(PanelEnabled());

  // A hint the plug-in declines is shown empty; the list's click updates the panel.
  Pick(1);
  EXPECT_EQ(page.SelectedPlugin(), 1);
  EXPECT_EQ(Text(IDC_EDTPLUGINHINT), "");
  EXPECT_TRUE(PanelEnabled());

  // Probing: the whole page off, the panel with it; back on when it stops.
  host.probing = true;
  page.EnableModifyPage(false);
  EXPECT_FALSE(PanelEnabled());
  EXPECT_FALSE(IsWindowEnabled(C(IDC_LSBPLUGINS)));
  EXPECT_FALSE(IsWindowEnabled(C(IDC_BTNPLUGINADD)));
  host.probing = false;
  page.EnableModifyPage(true);
  EXPECT_TRUE(PanelEnabled());
  EXPECT_TRUE(IsWindowEnabled(C(IDC_EDTPLUGINRESULT)));

  // Shutdown: every DLL unloaded, the list empty.
  std::string boxes = folder.Plugins() + "Boxes.dll";
  EXPECT_NE(GetModuleHandleA(boxes.c_str()), nullptr);
  page.ReleasePlugins();
  EXPECT_EQ(GetModuleHandleA(boxes.c_str()), nullptr);
  EXPECT_EQ(page.PluginCount(), 0);
  EXPECT_TRUE(Rows().empty());
}

TEST_F(ModifyPluginsTest, ExecuteRunsOnTheTargetAndRefreshes) {
  Install(kBoxesDll, "Boxes.dll");
  Install(kTestDll, "TestPlug.dll");
  page.DiscoverPlugins();
  page.EnableModifyPage(true);
  HWND form = targets.Make("Boxes form", WS_POPUP, 0, 0, 300, 300);
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS, 0, 0, 200, 150, form,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  for (const char* item : {"a", "", "b"}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

  // Nothing selected: nothing runs.
  host.target = FromHwnd(list);
  page.btnPluginExecuteClick();
  EXPECT_EQ(host.refreshes, 0);
  EXPECT_EQ(Text(IDC_EDTPLUGINRESULT), "");

  Pick(0);
  SetWindowTextA(C(IDC_EDTPLUGINDATA), "kept");
  Click(IDC_BTNPLUGINEXECUTE);
  EXPECT_EQ(Text(IDC_EDTPLUGINRESULT), "The items are copied to clipboard");
  EXPECT_EQ(ClipboardText(), "a\r\n\r\nb\r\n");
  EXPECT_EQ(Text(IDC_EDTPLUGINDATA), "kept");
  EXPECT_EQ(host.refreshes, 1);

  // No target: the plug-in is given window 0.
  host.target = 0;
  Click(IDC_BTNPLUGINEXECUTE);
  EXPECT_EQ(Text(IDC_EDTPLUGINRESULT), "Empty or invalid list/combo box");
  Pick(1);
  SetWindowTextA(C(IDC_EDTPLUGINDATA), "abc");
  Click(IDC_BTNPLUGINEXECUTE);
  EXPECT_EQ(Text(IDC_EDTPLUGINRESULT), "wnd=0 len=3 size=255");
  SetWindowTextA(C(IDC_EDTPLUGINDATA), "fail-high");
  Click(IDC_BTNPLUGINEXECUTE);
  EXPECT_EQ(Text(IDC_EDTPLUGINRESULT), "Internal plugin error");
  EXPECT_EQ(host.refreshes, 4);
}

TEST_F(ModifyPluginsTest, MoreInfoIsOwnedByTheList) {
  Install(kBoxesDll, "Boxes.dll");
  page.DiscoverPlugins();
  page.btnPluginAboutClick();  // nothing selected
  EXPECT_TRUE(prompts.infos.empty());
  page.RestorePluginSelection(0);
  page.EnableModifyPage(true);
  Click(IDC_BTNPLUGINABOUT);
  ASSERT_EQ(prompts.infos.size(), 1u);
  EXPECT_EQ(prompts.infos[0].owner, C(IDC_LSBPLUGINS));
  EXPECT_EQ(prompts.infos[0].caption, "Tarvisk Plugin Information");
  EXPECT_EQ(prompts.infos[0].text.rfind(std::string(kBoxesName) + "\r", 0), 0u) << prompts.infos[0].text;
  EXPECT_NE(prompts.infos[0].text.find("\rFile name: Boxes.dll"), std::string::npos);
}

TEST_F(ModifyPluginsTest, InstallAndDeleteRoundTrip) {
  page.DiscoverPlugins();
  page.EnableModifyPage(true);
  std::string installed = folder.Plugins() + "Boxes.dll";

  Click(IDC_BTNPLUGINADD);  // the dialog is cancelled
  EXPECT_TRUE(Rows().empty());

  // The folder is made, the file copied, the new row selected.
  prompts.files = {kBoxesDll};
  Click(IDC_BTNPLUGINADD);
  EXPECT_TRUE(Exists(installed));
  EXPECT_EQ(Rows(), (std::vector<std::string>{kBoxesName}));
  EXPECT_EQ(ListSelection(), 0);
  EXPECT_TRUE(PanelEnabled());
  EXPECT_EQ(Text(IDC_EDTPLUGINHINT), "Click Execute to copy items");
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_TRUE(prompts.errors.empty());

  // The same name again: asked first; No changes nothing.
  prompts.files = {kBoxesDll};
  prompts.answers = {false};
  Click(IDC_BTNPLUGINADD);
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].owner, frame.hwnd);
  EXPECT_EQ(prompts.questions[0].caption, "Tarvisk");
  EXPECT_EQ(prompts.questions[0].text, "Plugin file \"" + kBoxesDll + "\" already installed.");
  EXPECT_EQ(Rows().size(), 1u);

  // Yes: a second row; the copy over the loaded DLL fails, and the user is told.
  prompts.files = {kBoxesDll};
  prompts.answers = {true};
  Click(IDC_BTNPLUGINADD);
  EXPECT_EQ(Rows(), (std::vector<std::string>{kBoxesName, kBoxesName}));
  EXPECT_EQ(page.SelectedPlugin(), 0);
  ASSERT_EQ(prompts.errors.size(), 1u);
  std::string copyFailed = "Plugin file \"" + kBoxesDll + "\" could not be copied to \"" + installed + "\"";
  EXPECT_EQ(prompts.errors[0].text.rfind(copyFailed, 0), 0u) << prompts.errors[0].text;

  // A second plug-in, picked from the plug-in folder itself: nothing to report.
  std::string own = folder.Plugins() + "TestPlug.dll";
  CopyFileA(kTestDll.c_str(), own.c_str(), FALSE);
  prompts.files = {own};
  prompts.answers = {true};
  Click(IDC_BTNPLUGINADD);
  EXPECT_EQ(Rows(), (std::vector<std::string>{kBoxesName, kBoxesName, "Test plug-in"}));
  EXPECT_EQ(page.SelectedPlugin(), 2);
  EXPECT_EQ(prompts.errors.size(), 1u);

  // Delete asks; No keeps everything.
  prompts.answers = {false};
  Click(IDC_BTNPLUGINDELETE);
  EXPECT_EQ(prompts.questions.back().text,
            "Plugin \"TestPlug.dll\" will be deleted from Tarvisk plugins folder.\rContinue?");
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_TRUE(Exists(own));

  // Deleting the last row selects the new last one.
  prompts.answers = {true};
  Click(IDC_BTNPLUGINDELETE);
  EXPECT_FALSE(Exists(own));
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_EQ(ListSelection(), 1);
  EXPECT_TRUE(PanelEnabled());

  // The other row still holds the DLL: its file stays, and the user is told.
  prompts.answers = {true};
  Click(IDC_BTNPLUGINDELETE);
  EXPECT_TRUE(Exists(installed));
  ASSERT_EQ(prompts.errors.size(), 2u);
  EXPECT_EQ(prompts.errors[1].text.rfind("Plugin file \"" + installed + "\" could not be deleted", 0), 0u)
      << prompts.errors[1].text;
  EXPECT_EQ(ListSelection(), 0);

  // The only row: deleted with its file, no selection left, the panel off.
  prompts.answers = {true};
  Click(IDC_BTNPLUGINDELETE);
  EXPECT_FALSE(Exists(installed));
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(page.SelectedPlugin(), -1);
  EXPECT_FALSE(PanelEnabled());
  EXPECT_TRUE(IsWindowEnabled(C(IDC_BTNPLUGINADD)));
  EXPECT_EQ(prompts.errors.size(), 2u);
}
