// Windows titled in scripts outside the ANSI code page, in a process of their
// own: every view of the main window shows their texts as they are, Find
// matches them without regard to case, a copy carries them in UTF-16, and the
// reports hold them in the code page ("?") or in UTF-8.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "fixtures/ScriptsTitles.h"
#include "inspect/InfoPages.h"
#include "modify/ModifyPage.h"
#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "relations/RelationControls.h"
#include "report/Report.h"
#include "report/SaveAndPrint.h"
#include "support/Files.h"
#include "support/MainWindowFixture.h"
#include "support/Views.h"
#include "support/Wait.h"

namespace {

struct Shown {
  HWND window, child;
  std::string title, childTitle;
};

// The control's text as WM_GETTEXT gives it in UTF-16.
std::string WideText(HWND control) {
  wchar_t text[512] = {};
  SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return Narrow(text, wcslen(text));
}

class ScriptsTextsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    // Before the main window, so that its tree holds the fixture's windows.
    ASSERT_TRUE(m_fixture.Start(BuildPath("fixtures/ScriptsFixture.exe")));
    for (const ScriptsWindow& s : kScriptsWindows) {
      Shown w{nullptr, nullptr, Narrow(s.title, wcslen(s.title)), Narrow(s.childTitle, wcslen(s.childTitle))};
      ASSERT_TRUE(WaitUntil([&] { return (w.window = FindWindowW(kScriptsClass, s.title)) != nullptr; }));
      ASSERT_TRUE(WaitUntil([&] { return (w.child = FindWindowExW(w.window, nullptr, nullptr, nullptr)) != nullptr; }));
      shown.push_back(w);
    }
    StartMainWindow(true);
    frm->Tree().CreateFindWindowDialog(frm->Handle());
  }

  HWND Control(int page, int id) { return GetDlgItem(frm->Sheet(page), id); }

  // The list's rows as "class|text", in the order shown, read in UTF-16.
  std::vector<std::string> Rows(int page, int id) {
    HWND list = Control(page, id);
    frm->BeforePageRead(list);
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) rows.push_back(ListCellText(list, i, 2) + "|" + ListCellText(list, i, 3));
    return rows;
  }
  std::string SelectedLabel() {
    frm->WritePendingPage(kPageTree);
    return SelectedTreeLabel(Control(kPageTree, IDC_TRVWINDOWS));
  }
  // Saves the report of the current target in the file type; its bytes.
  std::string Saved(int fileType, const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + name;
    frm->SaveDialogHook = [&](std::string& chosen) {
      chosen = path;
      frm->ReportFileType = fileType;
      return true;
    };
    frm->MessageBoxHook = [](const std::string&, unsigned) { return IDYES; };
    frm->btnSaveClick();
    const std::string bytes = FileContents(path);
    DeleteFileA(path.c_str());
    return bytes;
  }

  ChildProcess m_fixture;
  std::vector<Shown> shown;
  const std::string childClass = Narrow(kScriptsChildClass, wcslen(kScriptsChildClass));
};

TEST_F(ScriptsTextsTest, EveryViewShowsTheTextsAsTheyAre) {
  for (const Shown& w : shown) {
    SCOPED_TRACE(w.title);
    frm->InspectWindow(FromHwnd(w.window), true);
    EXPECT_EQ(WideText(Control(kPageWindow, IDC_EDTTEXT)), w.title);
    EXPECT_EQ(WideText(Control(kPageClass, IDC_EDTCLASS)), "TarviskScripts");
    EXPECT_EQ(Rows(kPageChildren, IDC_LSVCHILDREN), std::vector<std::string>{childClass + "|" + w.childTitle});

    frm->InspectWindow(FromHwnd(w.child), true);
    EXPECT_EQ(WideText(Control(kPageWindow, IDC_EDTTEXT)), w.childTitle);
    EXPECT_EQ(WideText(Control(kPageClass, IDC_EDTCLASS)), childClass);
    EXPECT_EQ(Rows(kPageParents, IDC_LSVPARENTS), std::vector<std::string>{"TarviskScripts|" + w.title});
    EXPECT_EQ(SelectedLabel(), "\"" + w.childTitle + "\" (" + childClass + ")");

    RECT r;
    GetWindowRect(w.child, &r);
    frm->Inspected.Reading().SetPoint({r.left + 20, r.top + 20});
    frm->timDiggerTimer();
    const std::vector<std::string> dug = Rows(kPageDigger, IDC_LSVDIGGER);
    EXPECT_NE(std::find(dug.begin(), dug.end(), childClass + "|" + w.childTitle), dug.end());
    EXPECT_NE(std::find(dug.begin(), dug.end(), "TarviskScripts|" + w.title), dug.end());
  }
  // An ANSI reader of the field gets the system's conversion: "?" for what the
  // code page lacks.
  frm->InspectWindow(FromHwnd(shown[0].window), true);
  char ansi[64] = {};
  SendMessageA(Control(kPageWindow, IDC_EDTTEXT), WM_GETTEXT, sizeof ansi, reinterpret_cast<LPARAM>(ansi));
  EXPECT_STREQ(ansi, Utf8ToAnsi(shown[0].title).c_str());
  EXPECT_STREQ(ansi, "?????? ???");
}

TEST_F(ScriptsTextsTest, FindMatchesWithoutRegardToCase) {
  HWND dialog = FindWindowA(nullptr, "Find Window");
  ASSERT_NE(dialog, nullptr);
  SetWindowTextW(GetDlgItem(dialog, IDC_FIND_EDTTEXT), L"\u043F\u0440\u0438\u0432\u0435\u0442");  // привет
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  HWND find = frm->Tree().btnFindWindow();
  SendMessageW(GetParent(find), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(find), BN_CLICKED), reinterpret_cast<LPARAM>(find));
  EXPECT_EQ(SelectedLabel(), "\"" + shown[0].title + "\" (TarviskScripts)");
  EXPECT_TRUE(frm->Tree().TextSearch());
}

TEST_F(ScriptsTextsTest, CopiesCarryUtf16) {
  frm->InspectWindow(FromHwnd(shown[1].window), true);
  SetClipboardText("before");
  SendMessageW(Control(kPageWindow, IDC_EDTTEXT), WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(ClipboardUnicodeText(), shown[1].title);
  EXPECT_EQ(ClipboardText(), Utf8ToAnsi(shown[1].title));  // what the system gives ANSI readers
}

TEST_F(ScriptsTextsTest, ModifyPageEditsTheTitleAsItIs) {
  const Shown& w = shown[2];
  frm->InspectWindow(FromHwnd(w.window), true);
  HWND edit = frm->Modify.Control(IDC_EDTWINDOWTEXT);
  EXPECT_EQ(WideText(edit), w.title);
  const std::wstring renamed = L"\u0391\u03B8\u03AE\u03BD\u03B1 \U0001F600";  // Αθήνα and the emoji
  SetWindowTextW(edit, renamed.c_str());
  EXPECT_TRUE(WaitUntil([&] { return WindowTextUtf8(w.window) == Narrow(renamed); }));
}

TEST_F(ScriptsTextsTest, ReportsInTheCodePageAndInUtf8DifferOnlyInTheTexts) {
  frm->InspectWindow(FromHwnd(shown[0].window), true);
  const std::string ansi = Saved(kReportFileText, "tarvisk-scripts-ansi.txt");
  const std::string utf8 = Saved(kReportFileTextUtf8, "tarvisk-scripts-utf8.txt");
  ASSERT_FALSE(ansi.empty());
  EXPECT_EQ(ansi, ReportText(frm->GatherReport()));
  EXPECT_NE(ansi.find("Text                ?????? ???  "), std::string::npos);
  EXPECT_NE(utf8.find("Text                " + shown[0].title + "  "), std::string::npos);
  EXPECT_NE(utf8.find(childClass), std::string::npos);
  EXPECT_NE(utf8.find(shown[0].childTitle), std::string::npos);

  const std::vector<std::string> a = ReportLines(ansi), u = ReportLines(utf8);
  ASSERT_EQ(a.size(), u.size());
  int differing = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    // Each UTF-8 line is the ANSI line with its texts as they are: as many
    // characters, and the code page's conversion gives the ANSI bytes back.
    EXPECT_EQ(Utf8ToAnsi(u[i]), a[i]) << i;
    EXPECT_EQ(Widen(u[i]).size(), a[i].size()) << i;
    if (u[i] != a[i]) ++differing;
  }
  // The text, the memos' no-break spaces and the child's row.
  EXPECT_GE(differing, 4);
}

}  // namespace
