// The information fields' conveniences and the status-bar explanations.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "inspect/InfoPages.h"
#include "platform/Win32WindowSystem.h"
#include "support/MainWindowFixture.h"
#include "support/Settings.h"
#include "support/Wait.h"
#include "ui/Controls.h"
#include "support/Files.h"

namespace {

class FieldConveniencesTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    StartMainWindow(true);
    target = CreateWindowExA(0, "BUTTON", "target text", WS_POPUP | WS_CAPTION, 900, 100, 100, 50, nullptr,
                             nullptr, nullptr, nullptr);
    frm->InspectWindow(FromHwnd(target), true);
    frm->pgcMain.SetActiveIndex(kPageWindow);
    PumpMessages();
  }
  void TearDown() override {
    DestroyWindow(target);
    MainWindowFixture::TearDown();
  }
  HWND Field(int id) { return GetDlgItem(frm->Sheet(kPageWindow), id); }
  HWND target = nullptr;
};

TEST_F(FieldConveniencesTest, DoubleClickCopiesOnlyWhileIdle) {
  SetClipboardText("before");
  SendMessageA(Field(IDC_EDTTEXT), WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(ClipboardText(), "target text");

  HWND memo = Field(IDC_MEMSTYLE);
  SendMessageA(memo, WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 2));
  std::string copied = ClipboardText();
  ASSERT_GE(copied.size(), 2u);
  EXPECT_EQ(copied.substr(copied.size() - 2), "\r\n") << "every line ends with CR LF, the last one too";
  std::string memoText = WindowTextOf(memo);
  EXPECT_NE(copied.find("ws_popup"), std::string::npos);
  EXPECT_NE(memoText.find("ws_ex_left"), std::string::npos);

  frm->btnStartClick();  // probing
  SetClipboardText("unchanged");
  SendMessageA(Field(IDC_EDTHANDLE), WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(ClipboardText(), "unchanged");
  EXPECT_FALSE(frm->FieldMenuVisible());
}

TEST_F(FieldConveniencesTest, RightClickFocusesAndMenuCommandsActOnTheFocusedField) {
  HWND field = Field(IDC_EDTTEXT);
  SetFocus(frm->btnRefresh);
  SendMessageA(field, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(GetFocus(), field);
  EXPECT_EQ(GetCapture(), nullptr) << "the field does not go on selecting with the mouse";

  EXPECT_TRUE(frm->OnFieldMenuCommand(1901));  // Select All
  DWORD start = 0, end = 0;
  SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, strlen("target text"));
  SetClipboardText("x");
  EXPECT_TRUE(frm->OnFieldMenuCommand(1902));  // Copy
  EXPECT_EQ(ClipboardText(), "target text");

  SetFocus(frm->btnRefresh);  // not an edit: Copy does nothing
  SetClipboardText("kept");
  frm->OnFieldMenuCommand(1902);
  EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(FieldConveniencesTest, EnteringAMemoSelectsAllOfIt) {
  frm->pgcMain.SetActiveIndex(kPageClass);
  HWND memo = GetDlgItem(frm->Sheet(kPageClass), IDC_MEMCLASSSTYLE);
  SetFocus(memo);
  DWORD start = 1, end = 0;
  SendMessageA(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthA(memo)));
}

TEST_F(FieldConveniencesTest, StatusBarExplainsTheControlUnderTheMouse) {
  frm->pgcMain.SetActiveIndex(kPageAbout);
  RECT r;
  GetWindowRect(frm->btnSave, &r);
  SetCursorPos(r.left + 5, r.top + 5);
  frm->ApplicationIdle();
  POINT pt; GetCursorPos(&pt); HWND u = WindowFromPoint(pt); char c[64]; GetClassNameA(u, c, 64);
  // Wine keeps the simple text in part 0 and answers nothing for SB_SIMPLEID.
  char text[256] = {};
  SendMessageA(frm->stbMain, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Click this button to save current information to a file");

  GetWindowRect(GetDlgItem(frm->Sheet(kPageAbout), IDC_LBLDESCRIPTION), &r);
  SetCursorPos(r.left + 5, r.top + 5);
  frm->ApplicationIdle();
  SendMessageA(frm->stbMain, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "") << "a label has no hint";
}

}  // namespace
