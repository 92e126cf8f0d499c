// The main window in this process: frame, pages, command states, hot key and probing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "modify/ModifyPage.h"
#include "support/MainWindowFixture.h"
#include "support/Settings.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

class MainWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override { StartMainWindow(false); }
  std::string Caption(HWND h) { return WindowTextOf(h); }
  bool Enabled(HWND h) { return IsWindowEnabled(h) != FALSE; }
  void SelectPage(int index) {
    SendMessageA(frm->pgcMain.Handle(), TCM_SETCURSEL, index, 0);
    NMHDR hdr = {frm->pgcMain.Handle(), IDC_PGCMAIN, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(frm->Handle(), WM_NOTIFY, IDC_PGCMAIN, reinterpret_cast<LPARAM>(&hdr));
  }
  // Whether another window could take the start/stop hot key right now.
  bool HotKeyFree() {
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    bool ok = RegisterHotKey(probe, 7, 0, VK_SCROLL) != FALSE;
    if (ok) UnregisterHotKey(probe, 7);
    DestroyWindow(probe);
    return !ok;
  }
  void ExpectCommands(bool probing) {
    EXPECT_EQ(Caption(frm->btnStart), probing ? "St&op" : "Pr&obe");
    EXPECT_EQ(frm->StartTag(), probing ? 1 : 0);
    EXPECT_EQ(Enabled(frm->btnSave), !probing);
    EXPECT_EQ(Enabled(frm->btnPrint), !probing);
    EXPECT_FALSE(Enabled(frm->btnDetail));  // About page: nothing to detail
    EXPECT_TRUE(Enabled(frm->btnRefresh));
    EXPECT_TRUE(Enabled(frm->btnClose));
    EXPECT_EQ(frm->FieldMenuVisible(), !probing);
    ASSERT_NE(frm->Tree().btnFindWindow(), nullptr);
    ASSERT_NE(frm->Graphics.btnCopyImage(), nullptr);
    EXPECT_EQ(Enabled(frm->Tree().btnFindWindow()), !probing);
    EXPECT_FALSE(Enabled(frm->Tree().btnFindNextWindow())) << "no text search was accepted";
    EXPECT_FALSE(Enabled(frm->Tree().btnFindPrevWindow()));
    EXPECT_EQ(Enabled(frm->Graphics.btnCopyImage()), !probing);
    EXPECT_EQ(Enabled(frm->Graphics.btnSaveImage()), !probing);
    EXPECT_EQ(Enabled(GetDlgItem(frm->Sheet(kPageModify), IDC_EDTWIDTH)), !probing);
  }
};

TEST_F(MainWindowTest, FrameHasDesignSizeAndTwelvePages) {
  RECT client;
  GetClientRect(frm->Handle(), &client);
  // Wine's message font is 11 pixels high at 96 dpi, the design font's height.
  EXPECT_EQ(client.right, 436);
  EXPECT_EQ(client.bottom, 553);
  const char* expected[] = {"Window", "Class", "Parents", "Children", "Digger", "Tree",
                            "Executable", "Modules", "Modify", "Graphics", "Options", "About"};
  HWND tab = frm->pgcMain.Handle();
  ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 12);
  for (int i = 0; i < 12; ++i) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, expected[i]) << i;
  }
  EXPECT_EQ(frm->pgcMain.ActiveIndex(), kPageAbout);
  EXPECT_TRUE(IsWindowVisible(frm->Sheet(kPageAbout)));
  EXPECT_FALSE(IsWindowVisible(frm->Sheet(kPageOptions)));
  EXPECT_TRUE(frm->ProgramFolder.size() > 1 && frm->ProgramFolder.back() == '\\');
}

TEST_F(MainWindowTest, OptionsStartWithTheDefaults) {
  EXPECT_EQ(frm->IntegerFormat(), 0);
  EXPECT_EQ(frm->ConstsFormat(), 0);
  EXPECT_EQ(frm->StartStopHotKey(), 145);
  HWND page = frm->Sheet(kPageOptions);
  EXPECT_FALSE(IsChecked(page, IDC_CHBSHOWSUBCHILDREN));
  EXPECT_TRUE(IsChecked(page, IDC_CHBDIGCHILDREN));
  EXPECT_TRUE(IsChecked(page, IDC_CHBAUTOSTART));
  EXPECT_FALSE(IsChecked(page, IDC_CHBFLASH));
  EXPECT_TRUE(IsChecked(page, IDC_CHBALWAYSONTOP));
  EXPECT_TRUE(GetWindowLongA(frm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, CommandStatesFollowTheProbingState) {
  // Probing starts at launch by default.
  ExpectCommands(true);
  frm->ApplicationIdle();
  EXPECT_FALSE(frm->DiggerTimerEnabled());
  frm->btnStartClick();
  ExpectCommands(false);
  frm->ApplicationIdle();
  EXPECT_TRUE(frm->DiggerTimerEnabled());
  frm->btnStartClick();
  ExpectCommands(true);
  frm->ApplicationIdle();
  EXPECT_FALSE(frm->DiggerTimerEnabled());
}

TEST_F(MainWindowTest, HotKeyTogglesProbingAndOtherIdentifiersAreIgnored) {
  EXPECT_TRUE(frm->HotKeyRegistered);
  EXPECT_TRUE(HotKeyFree() == true);  // taken by the main window
  SendMessageA(frm->Handle(), WM_HOTKEY, 1, MAKELPARAM(0, VK_SCROLL));
  ExpectCommands(false);
  SendMessageA(frm->Handle(), WM_HOTKEY, 2, MAKELPARAM(0, VK_SCROLL));
  ExpectCommands(false);
  SendMessageA(frm->Handle(), WM_HOTKEY, 1, MAKELPARAM(0, VK_SCROLL));
  ExpectCommands(true);
}

TEST_F(MainWindowTest, OptionsPageReleasesTheHotKey) {
  SelectPage(kPageOptions);
  EXPECT_FALSE(frm->HotKeyRegistered);
  EXPECT_FALSE(HotKeyFree());
  SelectPage(kPageWindow);
  EXPECT_TRUE(frm->HotKeyRegistered);
  EXPECT_TRUE(HotKeyFree());
}

TEST_F(MainWindowTest, ChangedHotKeyTakesEffectOnLeavingOptions) {
  SelectPage(kPageOptions);
  frm->SetStartStopHotKey(0x91 | 0x4000 | 0x8000);  // Ctrl+Alt+Scroll Lock
  SelectPage(kPageAbout);
  EXPECT_TRUE(frm->HotKeyRegistered);
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(RegisterHotKey(probe, 7, MOD_CONTROL | MOD_ALT, VK_SCROLL));
  EXPECT_TRUE(RegisterHotKey(probe, 8, 0, VK_SCROLL));
  UnregisterHotKey(probe, 8);
  DestroyWindow(probe);
}

TEST_F(MainWindowTest, ProbeWhileIdleOnlyMovesTheProbePoint) {
  frm->btnStartClick();  // idle
  Hwnd before = frm->CurrentTarget();
  SetCursorPos(321, 123);
  SendMessageA(frm->Handle(), kWmProbe, 0, 0);
  EXPECT_EQ(frm->ProbePoint().x, 321);
  EXPECT_EQ(frm->ProbePoint().y, 123);
  EXPECT_EQ(frm->CurrentTarget(), before);
}

TEST_F(MainWindowTest, ProbeWhileProbingTargetsTheWindowUnderTheCursor) {
  HWND target = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "probe me", WS_POPUP | WS_VISIBLE, 900, 600, 120,
                                80, nullptr, nullptr, nullptr, nullptr);
  PumpMessages();
  SetCursorPos(950, 640);
  SendMessageA(frm->Handle(), kWmProbe, 0, 0);
  EXPECT_EQ(frm->CurrentTarget(), static_cast<Hwnd>(reinterpret_cast<UINT_PTR>(target)));
  DestroyWindow(target);
}

TEST_F(MainWindowTest, CursorWatchProbesOnlyWhileProbingAndMoving) {
  SetCursorPos(100, 100);
  ASSERT_TRUE(WaitUntil([&] { return frm->ProbePoint() == WinPoint{100, 100}; }, 2000));
  unsigned settled = frm->ProbeCount();
  PumpFor(150);
  EXPECT_LE(frm->ProbeCount(), settled + 1) << "a still cursor must not keep probing";
  SetCursorPos(140, 120);
  EXPECT_TRUE(WaitUntil([&] { return frm->ProbePoint() == WinPoint{140, 120}; }, 2000));

  frm->btnStartClick();  // idle
  unsigned idle = frm->ProbeCount();
  SetCursorPos(200, 220);
  PumpFor(200);
  EXPECT_EQ(frm->ProbeCount(), idle);
}

TEST_F(MainWindowTest, ShutdownReleasesHotKeyAndHook) {
  ASSERT_TRUE(frm->Probing());
  ASSERT_NE(frm->ProbeHook, nullptr);
  HWINEVENTHOOK hook = frm->ProbeHook;
  frm->btnCloseClick();
  PumpMessages();
  EXPECT_FALSE(IsWindow(frm->Handle()));
  EXPECT_FALSE(frm->HotKeyRegistered);
  EXPECT_FALSE(HotKeyFree());
  EXPECT_FALSE(UnhookWinEvent(hook)) << "the hook was already removed";
  // The quit message that the shutdown posts must not end the next test's loop.
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(FormScaling, ControlsScaleWithTheMessageFont) {
  HWND form = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CAPTION, 50, 60, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
  RECT r = {0, 0, 436, 553};
  AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION, FALSE, 0);
  SetWindowPos(form, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  HWND button = CreateControl(form, {ControlKind::Button, 500, "x", 16, 460, 93, 25});
  HWND earlyPage = CreateControl(form, {ControlKind::Panel, 501, "", 0, 0, 300, 200});
  HWND latePage = CreateControl(form, {ControlKind::Panel, 502, "", 0, 0, 300, 200});
  HWND earlyButton = CreateControl(earlyPage, {ControlKind::Button, 503, "x", 7, 9, 93, 25});
  FormFonts fonts;
  fonts.ApplyDesignFont(form);
  fonts.ScaleForm(form, 13, 11);
  RECT client, b;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, 515);
  EXPECT_EQ(client.bottom, 654);
  GetWindowRect(button, &b);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&b), 2);
  EXPECT_EQ(b.left, 19);
  EXPECT_EQ(b.top, 544);
  EXPECT_EQ(b.right - b.left, 110);
  EXPECT_EQ(b.bottom - b.top, 29);  // its edges scale: 460 and 485 become 544 and 573
  RECT w;
  GetWindowRect(form, &w);
  EXPECT_EQ(w.left, 50);  // the form keeps its position
  EXPECT_EQ(w.top, 60);
  EXPECT_EQ(fonts.FontHeight(), 13);

  // A page made after both scalings lands on the pixels, and gets the font,
  // of one made with the form.
  fonts.ScaleForm(form, 15, 13);
  HWND lateButton = CreateControl(latePage, {ControlKind::Button, 504, "x", 7, 9, 93, 25});
  fonts.AdoptLateControls(latePage);
  RECT e, l;
  GetWindowRect(earlyButton, &e);
  MapWindowPoints(nullptr, earlyPage, reinterpret_cast<POINT*>(&e), 2);
  GetWindowRect(lateButton, &l);
  MapWindowPoints(nullptr, latePage, reinterpret_cast<POINT*>(&l), 2);
  EXPECT_TRUE(EqualRect(&e, &l)) << l.left << "," << l.top << " " << l.right << "," << l.bottom;
  EXPECT_EQ(SendMessageA(lateButton, WM_GETFONT, 0, 0), SendMessageA(earlyButton, WM_GETFONT, 0, 0));
  DestroyWindow(form);
}

}  // namespace

namespace {

// Input that stays "recent" until the test says otherwise.
class ScriptedClock : public InputClock {
 public:
  uint32_t LastInputTick() const override { return recent ? Now() : Now() - 1000; }
  uint32_t Now() const override { return GetTickCount(); }
  bool recent = true;
};

TEST_F(MainWindowTest, SkippedCaptureIsMadeOnceInputIsQuiet) {
  frm->btnStartClick();  // idle
  ScriptedClock clock;
  frm->Graphics.SetInputClock(&clock);
  frm->pgcMain.SetActiveIndex(kPageGraphics);
  frm->CaptureScreen(frm->CurrentTarget());
  EXPECT_TRUE(frm->Graphics.RedrawPending()) << "recent input leaves the image as it was";
  clock.recent = false;
  frm->ApplicationIdle();
  EXPECT_TRUE(WaitUntil([&] { return !frm->Graphics.RedrawPending(); }, 2000));
  frm->Graphics.SetInputClock(nullptr);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, LabelMnemonicMovesTheFocusToItsControl) {
  frm->btnStartClick();  // idle: the Modify page is enabled
  frm->pgcMain.SetActiveIndex(kPageModify);
  HWND width = GetDlgItem(frm->Sheet(kPageModify), IDC_EDTWIDTH);
  SetFocus(frm->btnRefresh);
  // What the dialog manager sends for the "&Width" label's mnemonic.
  SendMessageA(frm->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(width), TRUE);
  EXPECT_EQ(GetFocus(), width);
  SetFocus(frm->btnRefresh);
  SendMessageA(frm->Handle(), WM_NEXTDLGCTL, 0, FALSE);  // Tab from the focused control
  EXPECT_NE(GetFocus(), frm->btnRefresh);
}

}  // namespace
