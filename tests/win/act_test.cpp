// Acting on a window of another process: the style editor changes its frame,
// its topmost band and marks the bit it refuses; the Send message dialog sets
// and gets its text, refuses an address, posts, survives a hung target and is
// seen in the message log; the command line does the same for scripts.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "act/SendMessageDialog.h"
#include "act/StyleEditor.h"
#include "msglog/MessageLogWindow.h"
#include "support/Files.h"
#include "support/MainWindowFixture.h"
#include "support/TarviskRun.h"
#include "support/Wait.h"

namespace {

std::string Hex(HWND h) {
  char buf[16];
  wsprintfA(buf, "0x%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(h)));
  return buf;
}

std::string TextOf(HWND w) {
  char buf[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &copied);
  return buf;
}

// Width and height the frame adds around the client area.
SIZE FrameExtra(HWND w) {
  RECT wr{}, cr{};
  GetWindowRect(w, &wr);
  GetClientRect(w, &cr);
  return {(wr.right - wr.left) - cr.right, (wr.bottom - wr.top) - cr.bottom};
}

bool Topmost(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class Act : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_fixture.Start(BuildPath("fixtures/ActFixture.exe") + " 600 100"));
    ASSERT_TRUE(WaitUntil([&] {
      target = FindProcessWindow(m_fixture.Id(), "TarviskActFixture", nullptr);
      edit = target ? FindWindowExA(target, nullptr, "Edit", nullptr) : nullptr;
      logLine = target ? FindWindowExA(target, nullptr, "Static", nullptr) : nullptr;
      return edit != nullptr && logLine != nullptr;
    }));
  }
  void TearDown() override { PumpMessages(); }

  // Runs Tarvisk.exe with `args`; what it wrote (its output or its error, one
  // of them) and its exit status.
  std::string RunExe(const std::string& args, DWORD* status) {
    const TarviskRun run = RunTarvisk(args, 15000);
    *status = run.status;
    return run.out + run.err;
  }

  ChildProcess m_fixture;
  HWND target = nullptr, edit = nullptr, logLine = nullptr;
};

std::string Caption(HWND dlg, int id) {
  char buf[256] = {};
  GetDlgItemTextA(dlg, id, buf, sizeof buf);
  return buf;
}

}  // namespace

TEST_F(Act, StyleEditorChangesTheFrameTheBandMarksARefusedBitAndUndoes) {
  int applied = 0;
  act::StyleEditor editor([&] { ++applied; });
  std::string error;
  editor.ErrorHook = [&](const std::string& e) { error = e; };
  ASSERT_TRUE(editor.Open(nullptr, target));
  const HWND dlg = editor.Handle();
  EXPECT_EQ(TextOf(dlg), "Styles - TarviskActFixture " + Hex(target));
  const LONG style0 = GetWindowLongA(target, GWL_STYLE), ex0 = GetWindowLongA(target, GWL_EXSTYLE);
  const SIZE frame0 = FrameExtra(target);

  // The caption off (WS_BORDER and WS_DLGFRAME), the client edge on: the frame changes.
  SendDlgItemMessageA(dlg, editor.RowControl(false, WS_DLGFRAME), BM_CLICK, 0, 0);
  SendDlgItemMessageA(dlg, editor.RowControl(false, WS_BORDER), BM_CLICK, 0, 0);
  SendDlgItemMessageA(dlg, editor.RowControl(true, WS_EX_CLIENTEDGE), BM_CLICK, 0, 0);
  EXPECT_EQ(Caption(dlg, act::IDC_STY_STYLE).substr(2), "08" + Caption(dlg, act::IDC_STY_STYLE).substr(4))
      << "the box follows the check boxes";
  SendDlgItemMessageA(dlg, act::IDC_STY_APPLY, BM_CLICK, 0, 0);
  EXPECT_EQ(error, "");
  EXPECT_EQ(GetWindowLongA(target, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_NE(GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  const SIZE frame1 = FrameExtra(target);
  EXPECT_TRUE(frame1.cx != frame0.cx || frame1.cy != frame0.cy) << frame0.cy << " " << frame1.cy;
  EXPECT_TRUE(editor.LastResult().AllTaken());
  EXPECT_EQ(Caption(dlg, act::IDC_STY_STATUS), "Every change took.");
  EXPECT_EQ(applied, 1);

  // Topmost by check box, seen from this other process.
  SendDlgItemMessageA(dlg, editor.RowControl(true, WS_EX_TOPMOST), BM_CLICK, 0, 0);
  SendDlgItemMessageA(dlg, act::IDC_STY_APPLY, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Topmost(target); }));

  // The bit the window refuses, typed into the box, is marked beside its check box.
  const int maxBox = editor.RowControl(false, WS_MAXIMIZEBOX);
  SendDlgItemMessageA(dlg, maxBox, BM_CLICK, 0, 0);
  SendDlgItemMessageA(dlg, act::IDC_STY_APPLY, BM_CLICK, 0, 0);
  ASSERT_EQ(editor.LastResult().missed.size(), 1u);
  EXPECT_EQ(editor.LastResult().missed[0].bit, static_cast<uint32_t>(WS_MAXIMIZEBOX));
  EXPECT_EQ(Caption(dlg, maxBox), "WS_MAXIMIZEBOX / WS_TABSTOP: the window or the system kept it");
  EXPECT_EQ(Caption(dlg, act::IDC_STY_STATUS), "WS_MAXIMIZEBOX stayed off: the window or the system kept it");
  EXPECT_EQ(IsDlgButtonChecked(dlg, maxBox), BST_UNCHECKED) << "the check box shows what the window kept";

  SendDlgItemMessageA(dlg, act::IDC_STY_UNDO, BM_CLICK, 0, 0);
  EXPECT_EQ(GetWindowLongA(target, GWL_STYLE), style0);
  EXPECT_TRUE(WaitUntil([&] { return !Topmost(target); }));
  EXPECT_EQ(GetWindowLongA(target, GWL_EXSTYLE), ex0);
  const SIZE frame2 = FrameExtra(target);
  EXPECT_EQ(frame2.cx, frame0.cx);
  EXPECT_EQ(frame2.cy, frame0.cy);
  EXPECT_EQ(Caption(dlg, maxBox), "WS_MAXIMIZEBOX / WS_TABSTOP") << "the mark goes with the next Apply";

  // A hung target gets a clear message and no change.
  PostMessageA(target, WM_APP + 2, 0, 0);
  Sleep(50);
  SendDlgItemMessageA(dlg, editor.RowControl(false, WS_BORDER), BM_CLICK, 0, 0);
  const DWORD start = GetTickCount();
  SendDlgItemMessageA(dlg, act::IDC_STY_APPLY, BM_CLICK, 0, 0);
  EXPECT_LT(GetTickCount() - start, 1500u);
  EXPECT_EQ(error, "The window does not answer (it is hung or busy); nothing was changed");
  EXPECT_EQ(GetWindowLongA(target, GWL_STYLE), style0);
}

TEST_F(Act, ControlStylesOfTheEditAreOfferedAsChecksAndChoices) {
  act::StyleEditor editor([] {});
  ASSERT_TRUE(editor.Open(nullptr, edit));
  const HWND dlg = editor.Handle();
  EXPECT_EQ(Caption(dlg, act::IDC_STY_CTLGROUP), "Edit styles");
  const int align = editor.RowControl(false, ES_RIGHT);
  char cls[32] = {};
  GetClassNameA(GetDlgItem(dlg, align), cls, sizeof cls);
  EXPECT_STREQ(cls, "ComboBox") << "the alignment is one choice";
  SendDlgItemMessageA(dlg, align, CB_SETCURSEL, 2, 0);  // ES_RIGHT
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(align, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dlg, align)));
  SendDlgItemMessageA(dlg, editor.RowControl(false, ES_READONLY), BM_CLICK, 0, 0);
  SendDlgItemMessageA(dlg, act::IDC_STY_APPLY, BM_CLICK, 0, 0);
  EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & (ES_RIGHT | ES_CENTER | ES_READONLY), ES_RIGHT | ES_READONLY);
}

TEST_F(Act, SendMessageDialogSetsGetsRefusesPostsAndIsSeenInTheLog) {
  msglog::MessageLogWindow log;
  ASSERT_EQ(log.Open(target, msglog::MessageLogOptions()), "");
  act::SendHistory history;
  act::SendMessageDialog dialog(history, [] { return DisplayOptions{kFormatDecimal, kCaseUpper}; });
  std::string error;
  dialog.ErrorHook = [&](const std::string& e) { error = e; };
  ASSERT_TRUE(dialog.Open(nullptr, target));
  const HWND dlg = dialog.Handle();
  EXPECT_EQ(TextOf(dlg), "Send message - TarviskActFixture " + Hex(target));
  auto send = [&](const char* message, const char* w, const char* l, const char* text, bool post = false) {
    SetDlgItemTextA(dlg, act::IDC_SND_MESSAGE, message);
    SetDlgItemTextA(dlg, act::IDC_SND_WPARAM, w);
    SetDlgItemTextA(dlg, act::IDC_SND_LPARAM, l);
    SetDlgItemTextA(dlg, act::IDC_SND_TEXT, text);
    SendDlgItemMessageA(dlg, post ? act::IDC_SND_POST : act::IDC_SND_SEND, BM_CLICK, 0, 0);
    return Caption(dlg, act::IDC_SND_RESULT);
  };
  EXPECT_EQ(send("wm_settext", "", "", "set by Tarvisk"), "1");
  EXPECT_EQ(TextOf(target), "set by Tarvisk");
  EXPECT_EQ(send("WM_GETTEXT", "", "", ""), "14 \"set by Tarvisk\"");
  EXPECT_EQ(send("WM_GETTEXT", "4", "", ""), "3 \"set\"") << "wParam is the buffer's length";
  EXPECT_EQ(send("WM_GETMINMAXINFO", "0", "$1000", ""),
            "Refused: its lParam is an address in the target's memory; sending one of Tarvisk's would corrupt the "
            "target");
  EXPECT_NE(error.find("WM_GETMINMAXINFO is not sent"), std::string::npos) << error;
  EXPECT_EQ(send("WM_APP+1", "7", "0x9", "", true), "Posted.");
  EXPECT_TRUE(WaitUntil([&] { return TextOf(logLine) == "WM_APP+1 7 9"; })) << TextOf(logLine);

  // The log shows the dialog's messages in the order sent, with their results.
  auto row = [&](const std::string& pattern, int from) {
    const std::regex re(pattern);
    for (size_t r = static_cast<size_t>(from); r < log.Store().RowCount(); ++r) {
      if (std::regex_search(log.Store().RowText(r), re)) return static_cast<int>(r);
    }
    return -1;
  };
  const std::string w = Hex(target);
  ASSERT_TRUE(WaitUntil([&] { return row("\tP\t" + w + "\tWM_APP\\+1\t", 0) >= 0; }));
  const int set = row("\tR\t" + w + "\tWM_SETTEXT\t.*\"set by Tarvisk\"", 0);
  const int get = row("\tR\t" + w + "\tWM_GETTEXT\t0x00001000\t", set + 1);
  const int get4 = row("\tR\t" + w + "\tWM_GETTEXT\t0x00000004\t", get + 1);
  const int posted = row("\tP\t" + w + "\tWM_APP\\+1\t0x00000007\t0x00000009\t", get4 + 1);
  EXPECT_GE(set, 0);
  EXPECT_GT(get, set);
  EXPECT_GT(get4, get);
  EXPECT_GT(posted, get4);
  // Each returned row carries a result column; Wine hands the return hook 0
  // as the result of every message sent from another process, so the values
  // themselves are checked in the dialog above.
  EXPECT_NE(log.Store().Cell(static_cast<size_t>(set), msglog::kColResult), "");
  EXPECT_EQ(row("WM_GETMINMAXINFO", 0), -1) << "a refused message is not sent";

  // The dialog keeps the run's messages, newest first.
  HWND list = GetDlgItem(dlg, act::IDC_SND_HISTORY);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
  char first[256] = {};
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_EQ(std::string(first), "Posted WM_APP+1(7, 9)");

  // WM_CLOSE asks first; no is no.
  std::string asked;
  dialog.AskHook = [&](const std::string& q) {
    asked = q;
    return false;
  };
  EXPECT_EQ(send("WM_CLOSE", "", "", ""), "Not sent.");
  EXPECT_NE(asked.find("WM_CLOSE"), std::string::npos);
  EXPECT_TRUE(IsWindow(target));

  // A hung target times out, and the dialog still answers.
  PostMessageA(target, WM_APP + 2, 0, 0);
  Sleep(50);
  const DWORD start = GetTickCount();
  EXPECT_EQ(send("WM_NULL", "", "", "").find("No answer within"), 0u);
  EXPECT_LT(GetTickCount() - start, 1500u);
  DWORD_PTR r = 0;
  EXPECT_TRUE(SendMessageTimeoutA(dlg, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r));
}

TEST_F(Act, SendMessageRefusesTheEditsLineAddress) {
  act::SendHistory history;
  act::SendMessageDialog dialog(history, [] { return DisplayOptions{}; });
  std::string error;
  dialog.ErrorHook = [&](const std::string& e) { error = e; };
  ASSERT_TRUE(dialog.Open(nullptr, edit));
  SetDlgItemTextA(dialog.Handle(), act::IDC_SND_MESSAGE, "EM_GETLINE");
  SetDlgItemTextA(dialog.Handle(), act::IDC_SND_LPARAM, "0x1000");
  dialog.Send(false);
  EXPECT_EQ(dialog.LastOutcome().status, act::SendOutcome::Refused);
  EXPECT_EQ(error,
            "EM_GETLINE is not sent: its lParam is an address in the target's memory; sending one of Tarvisk's would "
            "corrupt the target");
}

TEST_F(Act, CommandLineStylesAndSendsWithItsStatuses) {
  const std::string h = "$" + Hex(target).substr(2);
  const LONG style0 = GetWindowLongA(target, GWL_STYLE);
  DWORD status = 99;
  std::string out = RunExe("/style " + h + " -WS_CAPTION +WS_THICKFRAME", &status);
  EXPECT_EQ(status, 0u) << out;
  char expected[160];
  wsprintfA(expected, "Before: style $%08X, extended style $%08X\r\nAfter:  style $%08X, extended style $%08X\r\n",
            style0, GetWindowLongA(target, GWL_EXSTYLE), (style0 & ~WS_CAPTION) | WS_THICKFRAME,
            GetWindowLongA(target, GWL_EXSTYLE));
  EXPECT_EQ(out, expected);
  out = RunExe("/style " + h + " +WS_MAXIMIZEBOX", &status);
  EXPECT_EQ(status, 3u) << out;
  EXPECT_NE(out.find("Not taken: WS_MAXIMIZEBOX stayed off: the window or the system kept it\r\n"),
            std::string::npos) << out;
  out = RunExe("/style " + h + " /ex +WS_EX_TOPMOST", &status);
  EXPECT_EQ(status, 0u) << out;
  EXPECT_TRUE(WaitUntil([&] { return Topmost(target); }));
  out = RunExe("/style " + h + " +WS_NOSUCH", &status);
  EXPECT_EQ(status, 1u);
  EXPECT_EQ(out, "'WS_NOSUCH' is no style name\r\n");
  out = RunExe("/style $00000001 +WS_BORDER", &status);
  EXPECT_EQ(status, 2u) << out;

  out = RunExe("/send " + h + " WM_SETTEXT 0 \"from the command line\"", &status);
  EXPECT_EQ(status, 0u) << out;
  EXPECT_EQ(out, "1 (0x" + std::string(sizeof(void*) == 8 ? "0000000000000001" : "00000001") + ")\r\n");
  out = RunExe("/send " + h + " WM_GETTEXT", &status);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(out, "from the command line\r\n");
  out = RunExe("/send " + h + " WM_APP+1 5 6 /post", &status);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(out, "posted\r\n");
  EXPECT_TRUE(WaitUntil([&] { return TextOf(logLine) == "WM_APP+1 5 6"; }));
  out = RunExe("/send " + h + " WM_GETMINMAXINFO 0 4096", &status);
  EXPECT_EQ(status, 1u);
  EXPECT_EQ(out,
            "WM_GETMINMAXINFO refused: its lParam is an address in the target's memory; sending one of Tarvisk's "
            "would corrupt the target\r\n");
  out = RunExe("/send " + h + " WM_NOSUCH", &status);
  EXPECT_EQ(status, 1u);
  out = RunExe("/send $00000001 WM_NULL", &status);
  EXPECT_EQ(status, 2u);
  PostMessageA(target, WM_APP + 2, 0, 0);
  out = RunExe("/send " + h + " WM_NULL", &status);
  EXPECT_EQ(status, 4u) << out;
}

using ActMainWindow = MainWindowFixture;

TEST_F(ActMainWindow, TheMenusOfferTheDialogsWhileATargetIsShownAndProbingIsStopped) {
  StartMainWindow(true);
  HMENU menu = GetSystemMenu(frm->Handle(), FALSE);
  frm->InspectWindow(0, true);
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_NE(GetMenuState(menu, frame_ids::kSysEditStyles, MF_BYCOMMAND) & MF_GRAYED, 0u) << "no target shown";
  char text[64] = {};
  GetMenuStringA(menu, frame_ids::kSysEditStyles, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Edit st&yles...");
  GetMenuStringA(menu, frame_ids::kSysSendMessage, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Send messa&ge...\tCtrl+Shift+M");
  frm->InspectWindow(FromHwnd(frm->Handle()), true);
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_EQ(GetMenuState(menu, frame_ids::kSysEditStyles, MF_BYCOMMAND) & MF_GRAYED, 0u);
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, frame_ids::kSysEditStyles, 0);
  const std::string title = "Styles - TfrmTarvisk " + Hex(frm->Handle());
  EXPECT_TRUE(WaitUntil([&] { return FindWindowA(nullptr, title.c_str()) != nullptr; }));
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, frame_ids::kSysSendMessage, 0);
  const std::string sendTitle = "Send message - TfrmTarvisk " + Hex(frm->Handle());
  EXPECT_TRUE(WaitUntil([&] { return FindWindowA(nullptr, sendTitle.c_str()) != nullptr; }));

  // The Window page's style fields offer the editor in their menu; other fields do not.
  frm->BuildPage(kPageWindow);
  HMENU fieldMenu = CreatePopupMenu();
  frm->Features.AddFieldMenuItems(fieldMenu, GetDlgItem(frm->Sheet(kPageWindow), IDC_EDTTEXT));
  EXPECT_EQ(GetMenuState(fieldMenu, frame_ids::kFieldEditStyles, MF_BYCOMMAND), static_cast<UINT>(-1));
  frm->Features.AddFieldMenuItems(fieldMenu, GetDlgItem(frm->Sheet(kPageWindow), IDC_EDTEXSTYLE));
  GetMenuStringA(fieldMenu, frame_ids::kFieldEditStyles, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Edit st&yles...");
  DestroyMenu(fieldMenu);
  EXPECT_TRUE(frm->Features.OnFieldMenuCommand(frame_ids::kFieldEditStyles));

  // While probing, the items are greyed.
  frm->btnStartClick();
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_NE(GetMenuState(menu, frame_ids::kSysSendMessage, MF_BYCOMMAND) & MF_GRAYED, 0u);
  frm->btnStartClick();
}
