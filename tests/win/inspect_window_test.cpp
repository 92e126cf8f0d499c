// InspectWindow on real windows: what the Window and Class pages show.
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

namespace {

class InspectWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override { StartMainWindow(true); }
  void TearDown() override {
    for (HWND h : made) DestroyWindow(h);
    MainWindowFixture::TearDown();
  }
  HWND Make(const char* cls, const char* text, DWORD style, HWND parent = nullptr, HMENU menu = nullptr,
            int x = 900, int y = 100) {
    HWND h = CreateWindowExA(0, cls, text, style, x, y, 200, 120, parent, menu, GetModuleHandleA(nullptr),
                             nullptr);
    made.push_back(h);
    return h;
  }
  std::string Window(int id) { return WindowTextOf(GetDlgItem(frm->Sheet(kPageWindow), id)); }
  std::string Class(int id) { return WindowTextOf(GetDlgItem(frm->Sheet(kPageClass), id)); }
  void SetFormat(int group, int items, int index) {
    SetRadioGroupIndex(frm->Sheet(kPageOptions), group, items, index);
    frm->rgrOptionsClick();
  }
  std::vector<HWND> made;
};

TEST_F(InspectWindowTest, MenuHandleAndCoordinatesOfTopLevelAndChild) {
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, 1, "&File");
  HWND top = Make("STATIC", "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, menu);
  HWND child = Make("BUTTON", "child", WS_CHILD | WS_VISIBLE, top, reinterpret_cast<HMENU>(42));
  SetWindowPos(child, nullptr, 10, 20, 50, 30, SWP_NOZORDER);

  frm->InspectWindow(FromHwnd(top), false);
  char expect[16];
  wsprintfA(expect, "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(menu)));
  EXPECT_EQ(Window(IDC_EDTMENU), expect);
  EXPECT_EQ(Window(IDC_EDTPARENTCOORDS), Window(IDC_EDTSCREENCOORDS));
  EXPECT_EQ(Window(IDC_EDTPARENT), "00000000");
  EXPECT_EQ(frm->CurrentTarget(), FromHwnd(top));

  frm->InspectWindow(FromHwnd(child), false);
  EXPECT_EQ(Window(IDC_EDTMENU), "00000000");
  EXPECT_EQ(Window(IDC_EDTPARENTCOORDS), "left: 10, top: 20, right: 60, bottom: 50");
  EXPECT_NE(Window(IDC_EDTPARENTCOORDS), Window(IDC_EDTSCREENCOORDS));
  EXPECT_EQ(Window(IDC_EDTCONTROLID), "0000002A");
  EXPECT_EQ(Window(IDC_EDTWINDOWSIZE), "width: 50, height: 30");
  EXPECT_NE(Window(IDC_MEMSTYLE).find("ws_child"), std::string::npos);
  EXPECT_EQ(Class(IDC_EDTCLASS), "Button");
  EXPECT_EQ(WindowTextOf(GetDlgItem(frm->Sheet(kPageWindow), IDC_LBLTEXT)), "Text");
  EXPECT_EQ(Window(IDC_EDTTEXT), "child");
}

TEST_F(InspectWindowTest, ResourceIdentifierShowsAsStockIconName) {
  HWND icon = Make("STATIC", "\xFF\x04\x7F", WS_POPUP | SS_ICON);
  frm->InspectWindow(FromHwnd(icon), false);
  EXPECT_EQ(WindowTextOf(GetDlgItem(frm->Sheet(kPageWindow), IDC_LBLTEXT)), "Resource ID");
  EXPECT_EQ(Window(IDC_EDTTEXT), "idi_information");
  SetFormat(IDC_RGRCASE, 2, 1);
  EXPECT_EQ(Window(IDC_EDTTEXT), "IDI_INFORMATION");

  HWND numbered = Make("STATIC", "\xFF\x65", WS_POPUP | SS_ICON);  // 101
  SetFormat(IDC_RGRFORMAT, 3, 1);
  frm->InspectWindow(FromHwnd(numbered), false);
  EXPECT_EQ(Window(IDC_EDTTEXT), "101");
  HWND plain = Make("STATIC", "plain", WS_POPUP);
  frm->InspectWindow(FromHwnd(plain), false);
  EXPECT_EQ(WindowTextOf(GetDlgItem(frm->Sheet(kPageWindow), IDC_LBLTEXT)), "Text");
}

// Neither the same window nor a change of format reads the target again: the
// pages and the report redraw the one reading until Refresh reads it anew.
TEST_F(InspectWindowTest, SameTargetAndFormatChangesReadNothingUntilRefreshed) {
  HWND w = Make("STATIC", "before", WS_POPUP);
  frm->InspectWindow(FromHwnd(w), false);
  EXPECT_EQ(Window(IDC_EDTTEXT), "before");
  SetWindowTextA(w, "after");
  frm->InspectWindow(FromHwnd(w), false);
  EXPECT_EQ(Window(IDC_EDTTEXT), "before") << "the same window is not gathered again";
  frm->RefreshInformation();
  EXPECT_EQ(Window(IDC_EDTTEXT), "after");
  EXPECT_EQ(frm->StartTag(), 0) << "Refresh restores the probing tag";

  char hex[16], dec[16];
  wsprintfA(hex, "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(w)));
  wsprintfA(dec, "%d", static_cast<int>(reinterpret_cast<UINT_PTR>(w)));
  EXPECT_EQ(Window(IDC_EDTHANDLE), hex);
  SetWindowTextA(w, "later");
  SetFormat(IDC_RGRFORMAT, 3, 1);
  EXPECT_EQ(Window(IDC_EDTHANDLE), dec);
  SetFormat(IDC_RGRFORMAT, 3, 2);
  EXPECT_EQ(Window(IDC_EDTHANDLE).size(), 32u);
  EXPECT_EQ(Window(IDC_EDTTEXT), "after") << "a format change redraws, it does not read";
  const std::string report = frm->TextReport();
  EXPECT_NE(report.find(std::string("Text                after ")), std::string::npos) << report;
  frm->RefreshInformation();
  EXPECT_EQ(Window(IDC_EDTTEXT), "later");
}

TEST_F(InspectWindowTest, WindowThatIsGoneShowsZerosAndEmptyTexts) {
  HWND w = Make("STATIC", "short-lived", WS_POPUP);
  DestroyWindow(w);
  made.clear();
  frm->InspectWindow(FromHwnd(w), false);
  EXPECT_EQ(Window(IDC_EDTTEXT), "");
  EXPECT_EQ(Window(IDC_EDTSTYLE), "00000000");
  EXPECT_EQ(Window(IDC_EDTSCREENCOORDS), "left: 0, top: 0, right: 0, bottom: 0");
  EXPECT_EQ(Class(IDC_EDTCLASS), "");
  EXPECT_EQ(Class(IDC_MEMCLASSSTYLE), "");
}

// A window whose thread stops answering: its text is given up after the time-out
// and Tarvisk keeps answering its own messages.
struct HungWindow {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HWND hwnd = nullptr;
  HANDLE thread = nullptr;
  static DWORD WINAPI Run(void* p) {
    auto* self = static_cast<HungWindow*>(p);
    self->hwnd = CreateWindowExA(0, "STATIC", "hung text", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    SetEvent(self->ready);
    WaitForSingleObject(self->release, INFINITE);  // answers nothing until released
    DestroyWindow(self->hwnd);
    return 0;
  }
  HungWindow() {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(ready, 5000);
  }
  ~HungWindow() {
    SetEvent(release);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(release);
    CloseHandle(ready);
  }
};

TEST_F(InspectWindowTest, HungTargetDoesNotHangTarvisk) {
  HungWindow hung;
  ASSERT_NE(hung.hwnd, nullptr);
  DWORD start = GetTickCount();
  frm->InspectWindow(FromHwnd(hung.hwnd), false);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_EQ(Window(IDC_EDTTEXT), "");
  EXPECT_EQ(Class(IDC_EDTCLASS), "Static");
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(frm->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
}

TEST_F(InspectWindowTest, PaintBoxDrawsTheClassImagesInTheirPlaces) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
  wc.lpszClassName = "TarviskNoSmallIcon";
  ASSERT_TRUE(RegisterClassExA(&wc));
  // Wine makes a small icon from any large one, so only a class without icons
  // has no small icon; the one with icons shows both.
  HWND w = Make("TarviskNoSmallIcon", "icons", WS_POPUP);
  ASSERT_EQ(GetClassLongPtrA(w, GCLP_HICONSM), 0u);
  SendMessageA(frm->pgcMain.Handle(), TCM_SETCURSEL, kPageClass, 0);
  frm->pgcMain.ShowActiveSheet();
  frm->InspectWindow(FromHwnd(w), false);
  HWND box = GetDlgItem(frm->Sheet(kPageClass), IDC_PNTICONS);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages();
  // Paint into a memory bitmap through the paint handler itself.
  RECT r;
  GetClientRect(box, &r);
  HDC screen = GetDC(box);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(mem, bmp);
  DRAWITEMSTRUCT dis = {};
  dis.CtlID = IDC_PNTICONS;
  dis.hwndItem = box;
  dis.hDC = mem;
  dis.rcItem = r;
  ASSERT_TRUE(frm->ClassPage.OnDrawItem(&dis));
  auto nonWhite = [&](int x0, int width) {
    int count = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = x0; x < x0 + width; ++x) count += GetPixel(mem, x, y) != RGB(255, 255, 255);
    return count;
  };
  EXPECT_EQ(nonWhite(0, 32), 0) << "no class icon";
  EXPECT_EQ(nonWhite(68, 16), 0) << "no small icon";
  EXPECT_GT(nonWhite(136, 32), 0) << "the cursor";
  SetClassLongPtrA(w, GCLP_HICON, reinterpret_cast<LONG_PTR>(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ERROR))));
  frm->ClassPage.OnDrawItem(&dis);
  EXPECT_GT(nonWhite(0, 32), 0) << "the class icon";
  EXPECT_GT(nonWhite(68, 16), 0) << "the small icon made from it";
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(box, screen);
  DestroyWindow(w);
  made.clear();
  UnregisterClassA("TarviskNoSmallIcon", GetModuleHandleA(nullptr));
}

}  // namespace

namespace {

TEST_F(InspectWindowTest, ExecutablePagesAreFilledOnlyWhenTheProcessChanges) {
  HWND a = Make("STATIC", "a", WS_POPUP);
  HWND b = Make("BUTTON", "b", WS_POPUP);
  // The process is read for the page that shows it.
  frm->pgcMain.SetActiveIndex(kPageExecutable);
  frm->InspectWindow(FromHwnd(a), false);
  unsigned fills = frm->ProcessInfoFills();
  EXPECT_TRUE(frm->Inspected.Reading().Last().process.executable.known);
  frm->InspectWindow(FromHwnd(b), false);
  frm->InspectWindow(FromHwnd(a), true);
  frm->RefreshInformation();
  EXPECT_EQ(frm->ProcessInfoFills(), fills) << "windows of one process do not refill the pages";
  frm->InspectWindow(0, true);  // no window: process 0
  EXPECT_EQ(frm->ProcessInfoFills(), fills + 1);
  frm->InspectWindow(FromHwnd(b), true);
  EXPECT_EQ(frm->ProcessInfoFills(), fills + 2);
}

}  // namespace
