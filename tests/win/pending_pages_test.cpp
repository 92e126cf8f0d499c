// Only the page in front of the user is written by an inspection; the others
// must never be seen out of date: not when they show, not by the report, not
// by another program reading their controls.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "inspect/InfoPages.h"
#include "report/Report.h"
#include "support/MainWindowFixture.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

class PendingPagesTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    StartMainWindow(true);
    a = Make("STATIC", "first target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 100);
    b = Make("BUTTON", "second target", WS_POPUP | WS_VISIBLE | WS_DISABLED, 820, 300);
    Make("BUTTON", "child of the second", WS_CHILD | WS_VISIBLE, 0, 0, b);
    SelectPage(kPageWindow);
  }
  void TearDown() override {
    for (auto it = made.rbegin(); it != made.rend(); ++it) DestroyWindow(*it);
    MainWindowFixture::TearDown();
  }
  HWND Make(const char* cls, const char* text, DWORD style, int x, int y, HWND parent = nullptr) {
    HWND h = CreateWindowExA(0, cls, text, style, x, y, 230, 110, parent, nullptr, nullptr, nullptr);
    made.push_back(h);
    return h;
  }
  void SelectPage(int index) {
    SendMessageA(frm->pgcMain.Handle(), TCM_SETCURSEL, index, 0);
    NMHDR hdr = {frm->pgcMain.Handle(), IDC_PGCMAIN, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(frm->Handle(), WM_NOTIFY, IDC_PGCMAIN, reinterpret_cast<LPARAM>(&hdr));
  }
  std::string Field(int page, int id) { return WindowTextOf(GetDlgItem(frm->Sheet(page), id)); }
  // Another program's view: a read sent from another thread.
  static LRESULT SentFromElsewhere(HWND to, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    std::atomic<bool> done{false};
    std::thread reader([&] {
      result = SendMessageA(to, msg, wParam, lParam);
      done = true;
    });
    WaitUntil([&] { return done.load(); });
    reader.join();
    return result;
  }
  HWND a = nullptr, b = nullptr;
  std::vector<HWND> made;
};

// The report saved right after an inspection on the Window page is the one a
// user gets after visiting every page; each page, once shown, holds what a
// full fill shows.
TEST_F(PendingPagesTest, ReportAndEveryPageShowTheTargetAsInspected) {
  frm->InspectWindow(FromHwnd(a), true);
  frm->InspectWindow(FromHwnd(b), true);
  EXPECT_TRUE(frm->PagePending(kPageClass)) << "a hidden page is not written";
  std::string early = ReportText(frm->GatherReport());
  EXPECT_TRUE(frm->PagePending(kPageClass)) << "the report renders the reading, not the pages";
  EXPECT_NE(early.find("second target"), std::string::npos);
  EXPECT_NE(early.find("child of the second"), std::string::npos);

  frm->InspectWindow(FromHwnd(a), true);
  frm->InspectWindow(FromHwnd(b), true);
  for (int page : {kPageClass, kPageParents, kPageChildren, kPageDigger, kPageTree, kPageExecutable,
                   kPageModules, kPageModify, kPageWindow}) {
    SelectPage(page);
  }
  EXPECT_EQ(ReportText(frm->GatherReport()), early);

  SelectPage(kPageWindow);
  frm->InspectWindow(FromHwnd(a), true);
  SelectPage(kPageClass);
  EXPECT_EQ(Field(kPageClass, IDC_EDTCLASS), "Static");
  SelectPage(kPageChildren);
  EXPECT_EQ(ListView_GetItemCount(frm->WindowLists().List(kListChildren)), 0);
  SelectPage(kPageModify);
  EXPECT_EQ(Field(kPageModify, IDC_EDTWINDOWTEXT), "first target");
  EXPECT_EQ(Field(kPageModify, IDC_EDTWIDTH), "230");
  EXPECT_EQ(IsChecked(frm->Sheet(kPageModify), IDC_CHBENABLED), true);
}

// Another program reading a hidden page's field or list gets the target as it
// was inspected; this program's own count of a hidden list (Detail) does not
// write the page.
TEST_F(PendingPagesTest, ReadsFromAnotherProgramBringTheHiddenPageUpToDate) {
  frm->InspectWindow(FromHwnd(a), true);
  frm->InspectWindow(FromHwnd(b), true);
  char text[64] = {};
  SentFromElsewhere(GetDlgItem(frm->Sheet(kPageClass), IDC_EDTCLASS), WM_GETTEXT, sizeof text,
                    reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Button");

  HWND children = frm->WindowLists().List(kListChildren);
  EXPECT_TRUE(frm->PagePending(kPageChildren));
  frm->UpdateDetailButton();
  EXPECT_TRUE(frm->PagePending(kPageChildren)) << "counting rows is no reason to write";
  EXPECT_EQ(SentFromElsewhere(children, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_FALSE(frm->PagePending(kPageChildren));
}

// Detail brings the Window page forward from the program, not from the tab
// control: it must show the row's window, not what the page held before.
TEST_F(PendingPagesTest, DetailShowsTheChosenWindowOnTheWindowPage) {
  frm->InspectWindow(FromHwnd(a), true);
  SelectPage(kPageChildren);
  frm->InspectWindow(FromHwnd(b), true);
  HWND children = frm->WindowLists().List(kListChildren);
  ListView_SetItemState(children, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageA(frm->Handle(), WM_COMMAND, MAKEWPARAM(IDC_BTNDETAIL, BN_CLICKED),
               reinterpret_cast<LPARAM>(frm->btnDetail));
  EXPECT_EQ(frm->pgcMain.ActiveIndex(), kPageWindow);
  EXPECT_FALSE(frm->PagePending(kPageWindow)) << "the page shows what it holds";
  EXPECT_EQ(Field(kPageWindow, IDC_EDTTEXT), "child of the second");
}

// Modify acts on the target inspected while another page showed: the page's
// values are the target's when it shows, and a change reaches the target.
TEST_F(PendingPagesTest, ModifyPageActsOnATargetInspectedElsewhere) {
  frm->InspectWindow(FromHwnd(b), false);
  frm->InspectWindow(FromHwnd(a), false);
  SelectPage(kPageModify);
  HWND width = GetDlgItem(frm->Sheet(kPageModify), IDC_EDTWIDTH);
  EXPECT_EQ(WindowTextOf(width), "230");
  SetWindowTextA(width, "250");
  RECT r;
  GetWindowRect(a, &r);
  EXPECT_EQ(r.right - r.left, 250);
}

}  // namespace

BOOL CALLBACK CollectChild(HWND h, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

// Pages get the form's font only when first shown; each must then show every
// control in it, as the frame's own buttons do.
TEST_F(PendingPagesTest, EveryPageShowsInTheFormsFont) {
  HFONT formFont = reinterpret_cast<HFONT>(SendMessageA(frm->btnStart, WM_GETFONT, 0, 0));
  ASSERT_NE(formFont, nullptr);
  for (int page = 0; page < frm->pgcMain.Count(); ++page) {
    SelectPage(page);
    std::vector<HWND> controls;
    EnumChildWindows(frm->Sheet(page), CollectChild, reinterpret_cast<LPARAM>(&controls));
    for (HWND h : controls) {
      char cls[64] = {};
      GetClassNameA(h, cls, sizeof cls);
      // The name panel keeps its own large font; the rest draw no text.
      if (GetDlgCtrlID(h) == IDC_PNLNAME) continue;
      if (lstrcmpiA(cls, "TarviskImage") == 0 || lstrcmpiA(cls, UPDOWN_CLASSA) == 0) continue;
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), formFont)
          << "page " << page << ", control " << GetDlgCtrlID(h) << " (" << cls << ")";
    }
  }
}
