// The Modify page's properties against real windows: what a fill shows, that
// each change reaches the live window at once, and that nothing is applied
// while probing or filling.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "modify_fixture_test.h"
#include "support/Wait.h"
#include "ui/Form.h"

using namespace modify_test;

namespace {

class ModifyPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.owner = frame.hwnd;
    page.SetPrompts(&prompts);
    page.Create(frame.hwnd);
    frame.page = &page;
  }
  void TearDown() override { frame.page = nullptr; }

  HWND C(int id) const { return page.Control(id); }
  std::string Text(int id) const { return WindowTextOf(C(id)); }
  // Points the page at a window and loads it, as InspectWindow does.
  void Target(HWND w) {
    host.target = FromHwnd(w);
    page.FillModifyPage(host.target);
  }
  // Types one character at the end of an edit's text.
  void TypeAtEnd(int id, char c) {
    SendMessageA(C(id), EM_SETSEL, 0x7FFF, 0x7FFF);
    SendMessageA(C(id), WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  void Click(int id) { SendMessageA(C(id), BM_CLICK, 0, 0); }
  static bool Topmost(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

  PageFrame frame;
  StandInHost host;
  ScriptedPrompts prompts;
  ModifyPage page{host};
  Targets targets;
};

}  // namespace

TEST_F(ModifyPageTest, BuildsThePropertiesGroupInItsDesignState) {
  EXPECT_EQ(Text(IDC_GRBPROPERTIES), "Properties");
  EXPECT_EQ(Text(IDC_LBLLEFT), "&Left");
  EXPECT_EQ(Text(IDC_RGRSTATE + 2), "Mi&nimized");
  EXPECT_EQ(Text(IDC_CHBSTAYONTOP), "&Stay on top");
  for (int id : {IDC_EDTLEFT, IDC_EDTTOP, IDC_EDTWIDTH, IDC_EDTHEIGHT}) EXPECT_EQ(Text(id), "0");
  EXPECT_EQ(RadioGroupIndex(frame.hwnd, IDC_RGRSTATE, 3), 0);

  // Places in the frame: the group's own place plus the control's in the group.
  RECT r;
  GetWindowRect(C(IDC_EDTLEFT), &r);
  EXPECT_EQ(r.left, 84);
  EXPECT_EQ(r.top, 36);
  EXPECT_EQ(r.right - r.left, 45);  // the up-down beside it does not shrink it
  GetWindowRect(C(IDC_UDNLEFT), &r);
  EXPECT_EQ(r.left, 129);
  GetWindowRect(C(IDC_EDTWINDOWTEXT), &r);
  EXPECT_EQ(r.left, 180);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 217);

  int low = 0, high = 0;
  auto range = [&](int id) {
    SendMessageA(C(id), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  };
  range(IDC_UDNLEFT);
  EXPECT_EQ(low, -32768);
  EXPECT_EQ(high, 32767);
  range(IDC_UDNHEIGHT);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 32767);

  EXPECT_EQ(FindHint(C(IDC_UDNTOP)), "|Y coordinate of the specified window");
  EXPECT_EQ(FindHint(C(IDC_CHBSTAYONTOP)), "|\"Stay on top\" state of the specified window");
  EXPECT_EQ(HelpContextOf(C(IDC_UDNWIDTH)), 74);
  EXPECT_EQ(HelpContextOf(C(IDC_RGRSTATE + 3)), 76);
  EXPECT_EQ(HelpContextOf(C(IDC_EDTWINDOWTEXT)), 80);

  // Tab order: the tab stops in the order the dialog manager visits them.
  std::vector<int> order;
  HWND first = GetNextDlgTabItem(frame.hwnd, nullptr, FALSE);
  for (HWND h = first; h;) {
    order.push_back(GetDlgCtrlID(h));
    h = GetNextDlgTabItem(frame.hwnd, h, FALSE);
    if (h == first) break;
  }
  std::vector<int> expected = {IDC_EDTLEFT, IDC_EDTTOP, IDC_EDTWIDTH, IDC_EDTHEIGHT, IDC_RGRSTATE + 1,
                               IDC_CHBVISIBLE, IDC_CHBENABLED, IDC_CHBSTAYONTOP, IDC_EDTWINDOWTEXT};
  ASSERT_GE(order.size(), expected.size());
  EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + expected.size()), expected);
}

TEST_F(ModifyPageTest, FillShowsTheTargetAndNeverChangesIt) {
  HWND w = targets.Make("Modify target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 120, 300, 200);
  RECT before = RectOf(w);
  Target(w);
  EXPECT_FALSE(page.Filling());
  EXPECT_EQ(Text(IDC_EDTLEFT), std::to_string(before.left));
  EXPECT_EQ(Text(IDC_EDTTOP), std::to_string(before.top));
  EXPECT_EQ(Text(IDC_EDTWIDTH), "300");
  EXPECT_EQ(Text(IDC_EDTHEIGHT), "200");
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), "Modify target");
  EXPECT_EQ(RadioGroupIndex(frame.hwnd, IDC_RGRSTATE, 3), 0);
  EXPECT_TRUE(IsChecked(frame.hwnd, IDC_CHBVISIBLE));
  EXPECT_TRUE(IsChecked(frame.hwnd, IDC_CHBENABLED));
  EXPECT_FALSE(IsChecked(frame.hwnd, IDC_CHBSTAYONTOP));

  // Another target in every other state: hidden, disabled, topmost, maximised, untitled.
  HWND other = targets.Make("", WS_OVERLAPPEDWINDOW | WS_DISABLED, 10, 10, 150, 100, nullptr, WS_EX_TOPMOST);
  ShowWindow(other, SW_SHOWMAXIMIZED);
  ShowWindow(other, SW_HIDE);
  RECT otherBefore = RectOf(other);
  Target(other);
  EXPECT_EQ(RadioGroupIndex(frame.hwnd, IDC_RGRSTATE, 3), 2);
  EXPECT_FALSE(IsChecked(frame.hwnd, IDC_CHBVISIBLE));
  EXPECT_FALSE(IsChecked(frame.hwnd, IDC_CHBENABLED));
  EXPECT_TRUE(IsChecked(frame.hwnd, IDC_CHBSTAYONTOP));
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), "");
  EXPECT_EQ(Text(IDC_EDTWIDTH), std::to_string(otherBefore.right - otherBefore.left));

  // Nothing was written back to either window.
  RECT after = RectOf(w), otherAfter = RectOf(other);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_TRUE(EqualRect(&otherBefore, &otherAfter));
  EXPECT_TRUE(IsZoomed(other));
  EXPECT_FALSE(IsWindowVisible(other));
  EXPECT_FALSE(IsWindowEnabled(other));
  EXPECT_EQ(TextOf(w), "Modify target");

  ShowWindow(w, SW_SHOWMINNOACTIVE);
  Target(w);
  EXPECT_EQ(RadioGroupIndex(frame.hwnd, IDC_RGRSTATE, 3), 1);
  EXPECT_TRUE(IsIconic(w));

  // No target: zeros and no text.
  Target(nullptr);
  EXPECT_EQ(Text(IDC_EDTLEFT), "0");
  EXPECT_EQ(Text(IDC_EDTWIDTH), "0");
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), "");
  EXPECT_FALSE(page.Filling());
}

TEST_F(ModifyPageTest, ChildrenInTheirParentPopUpsOnTheScreen) {
  HWND top = targets.Make("Parent", WS_POPUP | WS_VISIBLE, 200, 150, 400, 300);
  HWND child = targets.Make("Child", WS_CHILD | WS_VISIBLE, 30, 40, 120, 80, top);
  Target(child);
  EXPECT_EQ(Text(IDC_EDTLEFT), "30");
  EXPECT_EQ(Text(IDC_EDTTOP), "40");
  TypeAtEnd(IDC_EDTLEFT, '5');  // 305, in the parent's client area
  POINT p = {0, 0};
  MapWindowPoints(child, top, &p, 1);
  EXPECT_EQ(p.x, 305);
  EXPECT_EQ(p.y, 40);

  // A pop-up owned by the parent stands on the screen; its owner's client
  // area has nothing to do with where it is, nor with where MoveWindow puts it.
  HWND popup = targets.Make("Owned", WS_POPUP | WS_VISIBLE, 700, 500, 100, 60, top);
  Target(popup);
  EXPECT_EQ(Text(IDC_EDTLEFT), "700");
  EXPECT_EQ(Text(IDC_EDTTOP), "500");
  TypeAtEnd(IDC_EDTTOP, '1');
  RECT r = RectOf(popup);
  EXPECT_EQ(r.left, 700);
  EXPECT_EQ(r.top, 5001);
}

TEST_F(ModifyPageTest, EditsResizeAndMoveTheTargetAtOnce) {
  HWND w = targets.Make("Sized", WS_POPUP | WS_VISIBLE, 50, 60, 300, 200);
  Target(w);
  TypeAtEnd(IDC_EDTWIDTH, '5');
  EXPECT_EQ(Text(IDC_EDTWIDTH), "3005");
  RECT r = RectOf(w);
  EXPECT_EQ(r.right - r.left, 3005);
  EXPECT_EQ(r.bottom - r.top, 200);
  TypeAtEnd(IDC_EDTWIDTH, '\b');
  EXPECT_EQ(RectOf(w).right - RectOf(w).left, 300);

  // Refused keys beep and leave the text as it was.
  TypeAtEnd(IDC_EDTLEFT, '-');
  TypeAtEnd(IDC_EDTLEFT, 'x');
  TypeAtEnd(IDC_EDTHEIGHT, ' ');
  EXPECT_EQ(prompts.beeps, 3);
  EXPECT_EQ(Text(IDC_EDTLEFT), "50");
  EXPECT_EQ(Text(IDC_EDTHEIGHT), "200");

  // A negative place comes from the arrows, which the edits hand to their up-downs.
  SetWindowTextA(C(IDC_EDTLEFT), "0");
  EXPECT_EQ(RectOf(w).left, 0);
  SendMessageA(C(IDC_EDTLEFT), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(Text(IDC_EDTLEFT), "-1");
  EXPECT_EQ(RectOf(w).left, -1);
  SendMessageA(C(IDC_EDTTOP), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(RectOf(w).top, 61);

  // No thousands separator in what the up-down writes.
  SetWindowTextA(C(IDC_EDTWIDTH), "9999");
  SendMessageA(C(IDC_EDTWIDTH), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(Text(IDC_EDTWIDTH), "10000");
  EXPECT_EQ(RectOf(w).right - RectOf(w).left, 10000);
}

TEST_F(ModifyPageTest, StateVisibleEnabledAndTopmostReachTheTarget) {
  HWND w = targets.Make("States", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  Target(w);
  Click(IDC_RGRSTATE + 3);
  EXPECT_TRUE(IsZoomed(w));
  Click(IDC_RGRSTATE + 1);  // restored from maximised
  EXPECT_FALSE(IsZoomed(w));
  EXPECT_FALSE(IsIconic(w));
  EXPECT_EQ(RectOf(w).right - RectOf(w).left, 300);
  Click(IDC_RGRSTATE + 2);
  EXPECT_TRUE(IsIconic(w));
  // A minimised target comes back and is activated.
  SetActiveWindow(frame.hwnd);
  Click(IDC_RGRSTATE + 1);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_EQ(GetActiveWindow(), w);

  SetActiveWindow(frame.hwnd);
  Click(IDC_CHBVISIBLE);
  EXPECT_FALSE(IsChecked(frame.hwnd, IDC_CHBVISIBLE));
  EXPECT_FALSE(IsWindowVisible(w));
  Click(IDC_CHBVISIBLE);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_NE(GetActiveWindow(), w);  // shown without being activated

  Click(IDC_CHBENABLED);
  EXPECT_FALSE(IsWindowEnabled(w));
  Click(IDC_CHBENABLED);
  EXPECT_TRUE(IsWindowEnabled(w));

  Click(IDC_CHBSTAYONTOP);
  EXPECT_TRUE(Topmost(w));
  Click(IDC_CHBSTAYONTOP);
  EXPECT_FALSE(Topmost(w));
}

namespace {

// Remembers whether the last WM_SETTEXT came with a null pointer for its text.
bool g_nullText = false;
LRESULT CALLBACK TextRecorder(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT) g_nullText = lParam == 0;
  return DefWindowProcA(h, msg, wParam, lParam);
}

}  // namespace

TEST_F(ModifyPageTest, TextRetitlesTheTargetAndLongTextsAreCut) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TextRecorder;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ModifyTextRecorder";
  RegisterClassExA(&wc);
  HWND w = targets.Make("Old title", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, 0,
                        "ModifyTextRecorder");
  Target(w);
  SetWindowTextA(C(IDC_EDTWINDOWTEXT), "New title");
  EXPECT_EQ(TextOf(w), "New title");
  EXPECT_FALSE(g_nullText);
  TypeAtEnd(IDC_EDTWINDOWTEXT, '!');
  EXPECT_EQ(TextOf(w), "New title!");
  SetWindowTextA(C(IDC_EDTWINDOWTEXT), "");
  EXPECT_EQ(TextOf(w), "");
  EXPECT_FALSE(g_nullText);  // an empty string, which every window procedure can read

  std::string longText(20000, 'x');
  SetWindowTextA(w, longText.c_str());
  Target(w);
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), std::string(16384, 'x'));
  EXPECT_EQ(GetWindowTextLengthA(w), 20000);
}

// A fill is passive too: the fill test above sees the target unchanged.
TEST_F(ModifyPageTest, NothingIsAppliedWhileProbing) {
  HWND w = targets.Make("Passive", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT before = RectOf(w);
  for (int pass = 0; pass < 1; ++pass) {
    Target(w);
    host.probing = true;
    TypeAtEnd(IDC_EDTWIDTH, '5');
    SendMessageA(C(IDC_EDTLEFT), WM_KEYDOWN, VK_UP, 1);
    Click(IDC_RGRSTATE + 3);
    Click(IDC_CHBVISIBLE);
    Click(IDC_CHBENABLED);
    Click(IDC_CHBSTAYONTOP);
    SetWindowTextA(C(IDC_EDTWINDOWTEXT), "Changed");
    RECT after = RectOf(w);
    EXPECT_TRUE(EqualRect(&before, &after)) << pass;
    EXPECT_FALSE(IsZoomed(w)) << pass;
    EXPECT_TRUE(IsWindowVisible(w)) << pass;
    EXPECT_TRUE(IsWindowEnabled(w)) << pass;
    EXPECT_FALSE(Topmost(w)) << pass;
    EXPECT_EQ(TextOf(w), "Passive") << pass;
    // The key filter stays on.
    TypeAtEnd(IDC_EDTTOP, '-');
    EXPECT_EQ(prompts.beeps, pass + 1);
    host.probing = false;
  }
}

TEST_F(ModifyPageTest, EnablingFollowsTheProbingStateAndTheTargetsStyle) {
  HWND top = targets.Make("Top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  HWND child = targets.Make("Child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
  host.target = FromHwnd(child);
  page.EnableModifyPage(false);
  int controls = 0;
  for (HWND h = GetWindow(frame.hwnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT), ++controls)
    EXPECT_FALSE(IsWindowEnabled(h)) << GetDlgCtrlID(h);
  EXPECT_EQ(controls, 34);

  page.EnableModifyPage(true);
  for (int id = IDC_RGRSTATE; id <= IDC_RGRSTATE + 3; ++id) EXPECT_FALSE(IsWindowEnabled(C(id))) << id;
  for (int id : {IDC_EDTLEFT, IDC_UDNLEFT, IDC_LBLHEIGHT, IDC_CHBVISIBLE, IDC_CHBSTAYONTOP, IDC_EDTWINDOWTEXT,
                 IDC_LSBPLUGINS, IDC_BTNPLUGINADD, IDC_EDTPLUGINRESULT, IDC_GRBPLUGINS})
    EXPECT_TRUE(IsWindowEnabled(C(id))) << id;
  // With no plug-in selected, its commands stay off.
  for (int id : {IDC_BTNPLUGINDELETE, IDC_BTNPLUGINABOUT, IDC_BTNPLUGINEXECUTE, IDC_EDTPLUGINHINT,
                 IDC_EDTPLUGINDATA})
    EXPECT_FALSE(IsWindowEnabled(C(id))) << id;

  host.target = FromHwnd(top);
  page.EnableModifyPage(true);
  for (int id = IDC_RGRSTATE; id <= IDC_RGRSTATE + 3; ++id) EXPECT_TRUE(IsWindowEnabled(C(id))) << id;

  // Containers are entered: what they hold follows them.
  HWND panel = CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "", WS_CHILD, 0, 0, 50, 50, frame.hwnd,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND inner = CreateWindowExA(0, "BUTTON", "in", WS_CHILD, 0, 0, 20, 20, panel, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  EnableControlsTree(frame.hwnd, false);
  EXPECT_FALSE(IsWindowEnabled(panel));
  EXPECT_FALSE(IsWindowEnabled(inner));
  DestroyWindow(panel);
}

namespace {

// Wine's notepad in a process of its own; its main thread can be held so that
// its windows stop answering.
class Notepad {
 public:
  Notepad() {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string cmd = "\"" + std::string(system) + "\\notepad.exe\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi)) return;
    WaitUntil([&] { return (window = FindProcessWindow(m_pi.dwProcessId, "Notepad", nullptr)) != nullptr; },
              15000);
    WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000);
  }
  ~Notepad() {
    if (m_held) ResumeThread(m_pi.hThread);
    if (m_pi.hProcess) {
      TerminateProcess(m_pi.hProcess, 0);
      WaitForSingleObject(m_pi.hProcess, 5000);
      CloseHandle(m_pi.hProcess);
      CloseHandle(m_pi.hThread);
    }
  }
  void Hold() { m_held = SuspendThread(m_pi.hThread) != static_cast<DWORD>(-1); }
  void Release() {
    if (m_held) ResumeThread(m_pi.hThread);
    m_held = false;
  }
  HWND window = nullptr;

 private:
  PROCESS_INFORMATION m_pi{};
  bool m_held = false;
};

}  // namespace

TEST_F(ModifyPageTest, AnotherProgramsWindowIsReadAndChanged) {
  Notepad notepad;
  ASSERT_NE(notepad.window, nullptr);
  HWND w = notepad.window;
  HWND edit = FindWindowExA(w, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SetWindowPos(w, nullptr, 150, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return RectOf(w).right - RectOf(w).left == 400; }));

  Target(w);
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), TextOf(w));
  EXPECT_NE(Text(IDC_EDTWINDOWTEXT), "");
  EXPECT_EQ(Text(IDC_EDTLEFT), "150");
  EXPECT_EQ(Text(IDC_EDTWIDTH), "400");
  SetWindowTextA(C(IDC_EDTWIDTH), "450");
  EXPECT_TRUE(WaitUntil([&] { return RectOf(w).right - RectOf(w).left == 450; }));
  SetWindowTextA(C(IDC_EDTWINDOWTEXT), "Retitled by Tarvisk");
  EXPECT_EQ(TextOf(w), "Retitled by Tarvisk");

  // Notepad's edit area: the text goes across, and the empty text clears it.
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("some words"));
  Target(edit);
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), "some words");
  SetWindowTextA(C(IDC_EDTWINDOWTEXT), "");
  EXPECT_EQ(TextOf(edit), "");

  // A program that stops answering holds the page up only briefly.
  notepad.Hold();
  DWORD start = GetTickCount();
  Target(w);
  EXPECT_EQ(Text(IDC_EDTWINDOWTEXT), "");
  SetWindowTextA(C(IDC_EDTWINDOWTEXT), "Not answered");
  EXPECT_LT(GetTickCount() - start, 3000u);
  notepad.Release();
}
