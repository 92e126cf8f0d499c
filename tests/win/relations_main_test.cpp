// The relation pages inside the main window: refills by InspectWindow, the
// Digger timer, the shared sort state, "Det&ail" and the Tree page's commands.
#include "relations_fixture.h"

#include <memory>

#include "app/ControlIds.h"
#include "app/MainWindow.h"
#include "relations/RelationControls.h"
#include "support/MainWindowFixture.h"
#include "support/Settings.h"
#include "support/Views.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

class RelationsMainTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    StartMainWindow(true);
    frm->Tree().CreateFindWindowDialog(frm->Handle());
    if (!List(kPageParents, IDC_LSVPARENTS)) GTEST_SKIP() << "the relation pages are not in the main window";
  }
  HWND List(int page, int id) { return GetDlgItem(frm->Sheet(page), id); }
  // What the list shows when its page is shown.
  int Rows(HWND list) {
    frm->BeforePageRead(GetParent(list));
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  }
  std::string Cell(HWND list, int position, int column) {
    frm->BeforePageRead(GetParent(list));
    return ListCellText(list, position, column);
  }
  void SelectPage(int index) {
    SendMessageA(frm->pgcMain.Handle(), TCM_SETCURSEL, index, 0);
    NMHDR hdr = {frm->pgcMain.Handle(), IDC_PGCMAIN, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(frm->Handle(), WM_NOTIFY, IDC_PGCMAIN, reinterpret_cast<LPARAM>(&hdr));
  }
  void Notify(HWND control, UINT code, int subItem = 0) {
    NMLISTVIEW nm = {};
    nm.hdr = {control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
    nm.iItem = -1;
    nm.iSubItem = subItem;
    SendMessageA(GetParent(control), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  }
  void SelectRow(HWND list, int position) {
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
  }
  void Click(HWND button) {
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
  std::string SelectedLabel() {
    frm->WritePendingPage(kPageTree);
    return SelectedTreeLabel(List(kPageTree, IDC_TRVWINDOWS));
  }

  WindowFamily f;  // before the main window, so that its tree holds the family
};

TEST_F(RelationsMainTest, InspectionRefillsTheListsAndDetailTakesARow) {
  frm->InspectWindow(FromHwnd(f.g), true);
  HWND parents = List(kPageParents, IDC_LSVPARENTS);
  ASSERT_EQ(Rows(parents), 2);
  EXPECT_EQ(Cell(parents, 0, 1), HexHandle(f.b));
  EXPECT_EQ(Cell(parents, 1, 1), HexHandle(f.top));
  EXPECT_EQ(Rows(List(kPageChildren, IDC_LSVCHILDREN)), 0);

  SelectPage(kPageParents);
  EXPECT_FALSE(IsWindowEnabled(frm->btnDetail));
  SelectRow(parents, 1);
  Notify(parents, NM_CLICK);
  EXPECT_TRUE(IsWindowEnabled(frm->btnDetail));
  Click(frm->btnDetail);
  EXPECT_EQ(frm->CurrentTarget(), FromHwnd(f.top));
  EXPECT_EQ(frm->pgcMain.ActiveIndex(), kPageWindow);
  EXPECT_EQ(Rows(List(kPageChildren, IDC_LSVCHILDREN)), 3);  // refilled for the new target

  // "Show sub&children" is read from the Options page.
  SetChecked(frm->Sheet(kPageOptions), IDC_CHBSHOWSUBCHILDREN, true);
  frm->InspectWindow(FromHwnd(f.top), true);
  EXPECT_EQ(Rows(List(kPageChildren, IDC_LSVCHILDREN)), 4);
}

TEST_F(RelationsMainTest, HeaderClicksChangeTheSharedSortState) {
  frm->InspectWindow(FromHwnd(f.top), true);
  HWND children = List(kPageChildren, IDC_LSVCHILDREN);
  Notify(children, LVN_COLUMNCLICK, kColumnClass);
  EXPECT_EQ(frm->Inspected.sort.column, kColumnClass);
  EXPECT_FALSE(frm->Inspected.sort.inverted);
  EXPECT_EQ(Cell(children, 0, 2), "RelAlpha");
  Notify(List(kPageDigger, IDC_LSVDIGGER), LVN_COLUMNCLICK, kColumnClass);
  EXPECT_TRUE(frm->Inspected.sort.inverted);
  EXPECT_EQ(Cell(children, 0, 2), "RelZeta");
  EXPECT_EQ(frm->CurrentSettings().sortColumn, kColumnClass);
}

TEST_F(RelationsMainTest, DiggerTimerFollowsTheProbePoint) {
  HWND digger = List(kPageDigger, IDC_LSVDIGGER);
  frm->Inspected.Reading().SetPoint(WindowFamily::kDigPoint);
  frm->timDiggerTimer();
  EXPECT_TRUE(frm->Inspected.Reading().Fresh(TargetPart::Digger));
  ASSERT_GE(Rows(digger), 4);
  EXPECT_EQ(Cell(digger, 3, 1), HexHandle(f.top));
  SetChecked(frm->Sheet(kPageOptions), IDC_CHBDIGCHILDREN, false);
  frm->Inspected.Reading().SetPoint({WindowFamily::kDigPoint.x + 1, WindowFamily::kDigPoint.y});
  frm->timDiggerTimer();
  EXPECT_EQ(Cell(digger, 0, 1), HexHandle(f.top));
}

TEST_F(RelationsMainTest, TreeFollowsTheTargetAndFindSearchesIt) {
  frm->InspectWindow(FromHwnd(f.g), true);
  EXPECT_EQ(SelectedLabel(), "\"Rel grandchild G\" (RelFixture)");
  EXPECT_TRUE(IsWindowEnabled(frm->Tree().btnParentTree()));
  Click(frm->Tree().btnParentTree());
  EXPECT_EQ(SelectedLabel(), "\"Rel child B\" (RelAlpha)");

  ASSERT_TRUE(IsWindowEnabled(frm->Tree().btnFindWindow()));
  EXPECT_FALSE(IsWindowEnabled(frm->Tree().btnFindNextWindow()));
  HWND dialog = FindWindowA(nullptr, "Find Window");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog));
  SetWindowTextA(GetDlgItem(dialog, IDC_FIND_EDTTEXT), "rel pop-up p2");
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  Click(frm->Tree().btnFindWindow());
  EXPECT_EQ(SelectedLabel(), "\"Rel pop-up P2\" (RelFixture)");
  EXPECT_TRUE(frm->Tree().TextSearch());
  EXPECT_TRUE(IsWindowEnabled(frm->Tree().btnFindNextWindow()));

  // Probing disables what acts on a fixed target; the tree is rebuilt.
  frm->btnStartClick();
  EXPECT_FALSE(IsWindowEnabled(frm->Tree().btnFindWindow()));
  EXPECT_FALSE(IsWindowEnabled(frm->Tree().btnFindNextWindow()));
  EXPECT_FALSE(IsWindowEnabled(frm->Tree().btnParentTree()));
  frm->btnStartClick();
}

}  // namespace
