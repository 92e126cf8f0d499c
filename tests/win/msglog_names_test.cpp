// The portable name tables against the platform's own headers, and the main
// window's way into the log.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "msglog/MessageNames.h"
#include "support/MainWindowFixture.h"
#include "support/Wait.h"

using namespace msglog;

TEST(MessageLogNames, AgreeWithThePlatformHeaders) {
#define WM(name) EXPECT_EQ(MessageName(name, ControlFamily::None), #name);
  WM(WM_NULL) WM(WM_CREATE) WM(WM_SETTEXT) WM(WM_PAINT) WM(WM_CLOSE) WM(WM_SHOWWINDOW) WM(WM_SETCURSOR)
  WM(WM_WINDOWPOSCHANGING) WM(WM_WINDOWPOSCHANGED) WM(WM_NOTIFY) WM(WM_NCHITTEST) WM(WM_NCLBUTTONDOWN)
  WM(WM_KEYDOWN) WM(WM_CHAR) WM(WM_SYSKEYUP) WM(WM_COMMAND) WM(WM_SYSCOMMAND) WM(WM_TIMER) WM(WM_CTLCOLORSTATIC)
  WM(WM_MOUSEMOVE) WM(WM_LBUTTONDOWN) WM(WM_MOUSEWHEEL) WM(WM_PARENTNOTIFY) WM(WM_CAPTURECHANGED)
  WM(WM_MOUSELEAVE) WM(WM_HOTKEY) WM(WM_PRINTCLIENT)
#undef WM
#define CTL(family, name) EXPECT_EQ(MessageName(name, ControlFamily::family), #name);
  CTL(Button, BM_CLICK) CTL(Button, BM_SETCHECK) CTL(Edit, EM_SETSEL) CTL(Edit, EM_REPLACESEL)
  CTL(ListBox, LB_ADDSTRING) CTL(ListBox, LB_GETTEXT) CTL(ComboBox, CB_ADDSTRING) CTL(ComboBox, CB_SHOWDROPDOWN)
  CTL(ScrollBar, SBM_SETPOS) CTL(Static, STM_SETICON) CTL(ListView, LVM_INSERTITEMA) CTL(ListView, LVM_SORTITEMSEX)
  CTL(TreeView, TVM_INSERTITEMA) CTL(TreeView, TVM_GETNEXTITEM) CTL(Tab, TCM_SETCURSEL) CTL(Header, HDM_LAYOUT)
  CTL(Toolbar, TB_ADDBUTTONSA) CTL(StatusBar, SB_SETTEXTA) CTL(Tooltip, TTM_ADDTOOLA) CTL(Progress, PBM_SETPOS)
  CTL(Trackbar, TBM_SETPOS) CTL(UpDown, UDM_SETRANGE) CTL(ListView, CCM_SETVERSION)
#undef CTL
#define CODE(family, name) EXPECT_STREQ(CommandCodeName(ControlFamily::family, static_cast<WORD>(name)), #name);
  CODE(Button, BN_CLICKED) CODE(Button, BN_DOUBLECLICKED) CODE(Edit, EN_CHANGE)
  CODE(ListBox, LBN_SELCHANGE) CODE(ListBox, LBN_ERRSPACE) CODE(ComboBox, CBN_DROPDOWN) CODE(Static, STN_CLICKED)
#undef CODE
#define NOTE(family, name) \
  EXPECT_STREQ(NotifyCodeName(static_cast<int32_t>(name), ControlFamily::family), #name);
  NOTE(None, NM_CLICK) NOTE(ListView, NM_RCLICK) NOTE(TreeView, NM_CUSTOMDRAW) NOTE(ListView, LVN_ITEMCHANGED)
  NOTE(ListView, LVN_COLUMNCLICK) NOTE(TreeView, TVN_SELCHANGEDA) NOTE(Tab, TCN_SELCHANGE)
  NOTE(Header, HDN_ITEMCLICKA) NOTE(Toolbar, TBN_DROPDOWN) NOTE(Toolbar, TBN_SAVE) NOTE(Tooltip, TTN_GETDISPINFOA)
  NOTE(UpDown, UDN_DELTAPOS)
#undef NOTE
  EXPECT_STREQ(NotifyCodeName(UDN_DELTAPOS), "TBN_SAVE") << "without a class, the first of the two";
  EXPECT_STREQ(SysCommandName(SC_MAXIMIZE), "SC_MAXIMIZE");
  EXPECT_STREQ(SysCommandName(SC_KEYMENU), "SC_KEYMENU");
  EXPECT_STREQ(HitTestName(HTBOTTOMRIGHT), "HTBOTTOMRIGHT");
  EXPECT_STREQ(HitTestName(HTERROR), "HTERROR");
  EXPECT_EQ(VirtualKeyName(VK_F12), "VK_F12");
  EXPECT_EQ(VirtualKeyName(VK_OEM_PERIOD), "VK_OEM_PERIOD");
  EXPECT_EQ(SwpFlagsText(SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                         SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING),
            "SWP_NOSIZE|SWP_NOMOVE|SWP_NOZORDER|SWP_NOACTIVATE|SWP_FRAMECHANGED|SWP_SHOWWINDOW|"
            "SWP_HIDEWINDOW|SWP_NOOWNERZORDER|SWP_NOSENDCHANGING");
  EXPECT_EQ(MouseKeysText(MK_LBUTTON | MK_SHIFT | MK_XBUTTON2), "MK_LBUTTON|MK_SHIFT|MK_XBUTTON2");
}

using MessageLogMainWindow = MainWindowFixture;

TEST_F(MessageLogMainWindow, TheSystemMenuOpensOneLogPerTargetWhileOneIsShown) {
  StartMainWindow(true);
  HMENU menu = GetSystemMenu(frm->Handle(), FALSE);
  const UINT item = 0x0110;
  char text[64] = {};
  GetMenuStringA(menu, item, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Message &log...\tCtrl+M");

  frm->InspectWindow(0, true);
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_TRUE(GetMenuState(menu, item, MF_BYCOMMAND) & MF_GRAYED);
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, item, 0);
  EXPECT_EQ(frm->MessageLogs.Count(), 0u);

  // The main window's own status bar is a target of this process and bitness.
  HWND target = frm->stbMain;
  frm->InspectWindow(static_cast<Hwnd>(reinterpret_cast<UINT_PTR>(target)), true);
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  EXPECT_FALSE(GetMenuState(menu, item, MF_BYCOMMAND) & MF_GRAYED);
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, item, 0);
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, item, 0);
  ASSERT_EQ(frm->MessageLogs.Count(), 1u);
  HWND log = frm->MessageLogs.Find(target)->Handle();
  EXPECT_TRUE(IsWindowVisible(log));

  // Ctrl+M while Tarvisk has the focus: the same target, so the same log.
  MSG key = {frm->btnStart, WM_KEYDOWN, 'M', 0, 0, {0, 0}};
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(frm->PreTranslate(key));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(frm->MessageLogs.Count(), 1u);

  DestroyWindow(frm->Handle());
  PumpMessages();
  EXPECT_FALSE(IsWindow(log)) << "the logs end with the main window";
}
