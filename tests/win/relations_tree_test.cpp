// The Tree page over the real desktop: what the control holds after a build,
// selection of a target, the Parent command, Detail, and the Find Window dialog
// with Next and Previous.
#include "relations_fixture.h"

#include <cstring>

#include "app/ControlIds.h"
#include "relations/RelationControls.h"
#include "relations/TreePage.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

class RelationsTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page.Create(frame.Sheet(kPageTree));
    frame.handlers.push_back(&page);
    page.SetMessageBox(recorder.Fn());
    ASSERT_TRUE(page.CreateFindWindowDialog(frame.hwnd));
    page.BuildWindowTree();
  }
  void TearDown() override {
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  int NodeOf(HWND h) { return FindWindowNode(page.Tree(), FromHwnd(h)); }
  Hwnd Selected() {
    int node = page.SelectedNode();
    return node < 0 ? 0 : page.Tree()[node].window;
  }
  bool Expanded(HWND h) {
    HTREEITEM item = page.ItemOf(NodeOf(h));
    return item && (SendMessageA(page.trvWindows(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                 TVIS_EXPANDED) & TVIS_EXPANDED);
  }
  bool Enabled(HWND h) { return IsWindowEnabled(h) != FALSE; }

  // The dialog as a user leaves it before pressing OK.
  void FillDialog(int mode, const char* text, const char* cls, const char* handle) {
    TfrmFindWindow& d = page.FindDialog();
    SetRadioGroupIndex(d.Handle(), IDC_FIND_RGRMODE, 2, mode);
    SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(IDC_FIND_RGRMODE + 1 + mode, BN_CLICKED), 0);
    SetWindowTextA(d.Item(IDC_FIND_EDTTEXT), text);
    SetWindowTextA(d.Item(IDC_FIND_EDTCLASS), cls);
    SetWindowTextA(d.Item(IDC_FIND_EDTHANDLE), handle);
  }
  // Presses the dialog's buttons in turn once it is showing.
  void Find(std::initializer_list<int> presses) {
    for (int id : presses) PostMessageA(page.FindDialog().Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    frame.Click(page.btnFindWindow());
    EXPECT_FALSE(page.FindDialog().Showing());
    EXPECT_FALSE(IsWindowVisible(page.FindDialog().Handle()));
  }

  StandInHost host;
  RelationsFrame frame;
  WindowFamily f;
  TreePage page{host};
  BoxRecorder recorder;
};

TEST_F(RelationsTreeTest, BuildShowsRootAndTopLevelWindowsInTheirRuleOrder) {
  const WindowTree& tree = page.Tree();
  ASSERT_FALSE(tree.Empty());
  EXPECT_EQ(tree[0].window, FromHwnd(GetDesktopWindow()));
  const int level1 = static_cast<int>(tree.Children(0).size());
  EXPECT_EQ(SendMessageA(page.trvWindows(), TVM_GETCOUNT, 0, 0), 1 + level1);
  EXPECT_TRUE(Expanded(GetDesktopWindow()));
  EXPECT_FALSE(Expanded(f.top));

  // Owned pop-ups stand at level 1, not under their owners.
  for (HWND h : {f.top, f.p, f.p2}) {
    ASSERT_GE(NodeOf(h), 0);
    EXPECT_EQ(tree[NodeOf(h)].level, 1);
  }
  EXPECT_EQ(tree[NodeOf(f.g)].level, 3);
  EXPECT_EQ(tree[NodeOf(f.top)].label, "\"Rel family top\" (RelFixture)");

  // Siblings in the reverse of the enumeration's order.
  Win32WindowSystem ws;
  std::vector<Hwnd> direct;
  for (Hwnd w : ws.ChildWindows(FromHwnd(f.top))) {
    if (ws.Parent(w) == FromHwnd(f.top)) direct.insert(direct.begin(), w);
  }
  std::vector<Hwnd> shown;
  for (int c : tree.Children(NodeOf(f.top))) shown.push_back(tree[c].window);
  EXPECT_EQ(shown, direct);
  EXPECT_EQ(page.ItemOf(NodeOf(f.a)), nullptr);  // not in the control until needed
}

TEST_F(RelationsTreeTest, SelectingExpandsTheAncestorsAndParentWalksUp) {
  page.SelectTreeNode(FromHwnd(f.g));
  EXPECT_EQ(Selected(), FromHwnd(f.g));
  EXPECT_TRUE(Expanded(f.top));
  EXPECT_TRUE(Expanded(f.b));
  RECT r = {};
  HTREEITEM gItem = page.ItemOf(NodeOf(f.g));
  std::memcpy(&r, &gItem, sizeof gItem);  // TVM_GETITEMRECT takes the item in the rectangle
  ASSERT_TRUE(SendMessageA(page.trvWindows(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  RECT client;
  GetClientRect(page.trvWindows(), &client);
  EXPECT_TRUE(r.top >= 0 && r.bottom <= client.bottom);

  page.UpdateParentTreeButton();
  EXPECT_TRUE(Enabled(page.btnParentTree()));
  host.probing = true;
  page.UpdateParentTreeButton();
  EXPECT_FALSE(Enabled(page.btnParentTree()));
  host.probing = false;

  frame.Click(page.btnParentTree());
  EXPECT_EQ(Selected(), FromHwnd(f.b));
  frame.Click(page.btnParentTree());
  EXPECT_EQ(Selected(), FromHwnd(f.top));
  EXPECT_TRUE(Enabled(page.btnParentTree()));
  frame.Click(page.btnParentTree());
  EXPECT_EQ(page.SelectedNode(), 0);
  EXPECT_FALSE(Enabled(page.btnParentTree()));

  // A window made after the build has no node: the selection is cleared.
  HWND late = f.Make("RelFixture", "late", WS_POPUP, nullptr, 0, 0, 10, 10);
  page.SelectTreeNode(FromHwnd(late));
  EXPECT_EQ(page.SelectedNode(), -1);

  // A click evaluates the button with the probing state.
  page.SelectTreeNode(FromHwnd(f.c));
  NMHDR click = {};
  click.code = NM_CLICK;
  host.probing = true;
  frame.Notify(page.trvWindows(), click);
  EXPECT_FALSE(Enabled(page.btnParentTree()));
  host.probing = false;
  frame.Notify(page.trvWindows(), click);
  EXPECT_TRUE(Enabled(page.btnParentTree()));
}

TEST_F(RelationsTreeTest, ExpandingANodeInsertsItsChildren) {
  int top = NodeOf(f.top);
  HTREEITEM item = page.ItemOf(top);
  ASSERT_NE(item, nullptr);
  SendMessageA(page.trvWindows(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  for (int child : page.Tree().Children(top)) EXPECT_NE(page.ItemOf(child), nullptr);
  EXPECT_EQ(page.ItemOf(NodeOf(f.g)), nullptr);
}

TEST_F(RelationsTreeTest, DetailInspectsTheSelectedNode) {
  page.SelectNode(-1);
  EXPECT_FALSE(page.DetailEnabled());
  page.Detail();
  EXPECT_TRUE(host.inspected.empty());
  page.SelectTreeNode(FromHwnd(f.c));
  EXPECT_TRUE(page.DetailEnabled());
  page.Detail();
  ASSERT_EQ(host.inspected.size(), 1u);
  EXPECT_EQ(host.inspected[0].window, FromHwnd(f.c));
  EXPECT_TRUE(host.inspected[0].refreshAll);
  EXPECT_EQ(host.page, kPageWindow);
}

TEST_F(RelationsTreeTest, FindByTextInLowerCaseAndByClassSubstring) {
  FillDialog(kFindByText, "rel family", "", "");
  Find({IDOK});
  EXPECT_EQ(Selected(), FromHwnd(f.top));
  EXPECT_TRUE(page.TextSearch());
  EXPECT_TRUE(Enabled(page.btnFindNextWindow()));
  EXPECT_TRUE(Enabled(page.btnFindPrevWindow()));

  // "alph" lies inside "RelAlpha": only child B has that class.
  FillDialog(kFindByText, "", "alph", "");
  Find({IDOK});
  EXPECT_EQ(Selected(), FromHwnd(f.b));
  // Both given: both must hold for the same window.
  FillDialog(kFindByText, "child c", "relmid", "");
  Find({IDOK});
  EXPECT_EQ(Selected(), FromHwnd(f.c));
  EXPECT_TRUE(recorder.boxes.empty());

  FillDialog(kFindByText, "child c", "relzeta", "");
  Find({IDOK});
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].text, "Window not found.");
  EXPECT_EQ(recorder.boxes[0].caption, "Tarvisk");
  EXPECT_EQ(recorder.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(Selected(), FromHwnd(f.c));
}

TEST_F(RelationsTreeTest, FindByHandleInHexadecimalOrDecimal) {
  char text[32];
  wsprintfA(text, "$%x", static_cast<unsigned>(FromHwnd(f.g)));
  FillDialog(kFindByHandle, "", "", text);
  Find({IDOK});
  EXPECT_EQ(Selected(), FromHwnd(f.g));
  EXPECT_FALSE(page.TextSearch());
  EXPECT_FALSE(Enabled(page.btnFindNextWindow()));

  page.SelectNode(-1);
  wsprintfA(text, "  %d", static_cast<int>(FromHwnd(f.p)));
  FillDialog(kFindByHandle, "", "", text);
  Find({IDOK});
  EXPECT_EQ(Selected(), FromHwnd(f.p));

  // Hexadecimal letters without "$": OK is refused, the dialog stays until Cancel.
  FillDialog(kFindByHandle, "", "", "1AB");
  Find({IDOK, IDCANCEL});
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].text, "'1AB' is not a valid integer value.");
  EXPECT_EQ(recorder.boxes[0].caption, "Tarvisk");
  EXPECT_EQ(recorder.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(Selected(), FromHwnd(f.p));
  EXPECT_FALSE(Enabled(page.btnFindNextWindow()));
}

TEST_F(RelationsTreeTest, NextAndPreviousWithoutWrapping) {
  FillDialog(kFindByText, "REL CHILD", "", "");
  // Matches in absolute order by the windows' current titles: A, B, C and the
  // dialog's own Text field, which holds the search string.
  std::vector<Hwnd> matches;
  for (const WindowNode& n : page.Tree().Nodes()) {
    char title[256] = {};
    GetWindowTextA(ToHwnd(n.window), title, sizeof title);
    CharUpperA(title);
    if (std::strstr(title, "REL CHILD")) matches.push_back(n.window);
  }
  ASSERT_EQ(matches.size(), 4u);
  Find({IDOK});
  EXPECT_EQ(Selected(), matches[0]);
  for (size_t i = 1; i < matches.size(); ++i) {
    frame.Click(page.btnFindNextWindow());
    EXPECT_EQ(Selected(), matches[i]);
  }
  EXPECT_TRUE(recorder.boxes.empty());
  frame.Click(page.btnFindNextWindow());
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].text, "Window not found.");
  EXPECT_EQ(Selected(), matches.back());
  frame.Click(page.btnFindPrevWindow());
  EXPECT_EQ(Selected(), matches[2]);

  // A changed title is found by the new one; Cancel keeps Next searching for
  // what the fields hold now.
  SetWindowTextA(f.a, "Renamed after the build");
  FillDialog(kFindByText, "renamed after", "relzeta", "");
  Find({IDCANCEL});
  EXPECT_TRUE(Enabled(page.btnFindNextWindow()));
  page.SelectNode(-1);  // no selection: Next starts after the root
  frame.Click(page.btnFindNextWindow());
  EXPECT_EQ(Selected(), FromHwnd(f.a));
}

TEST_F(RelationsTreeTest, DialogEnablesOkAndFiltersHandleKeys) {
  TfrmFindWindow& d = page.FindDialog();
  HWND ok = d.Item(IDOK), handle = d.Item(IDC_FIND_EDTHANDLE);
  EXPECT_EQ(WindowTextOf(d.Handle()), "Find Window");
  FillDialog(kFindByText, "", "", "");
  EXPECT_FALSE(Enabled(ok));
  EXPECT_FALSE(Enabled(handle));
  SetWindowTextA(d.Item(IDC_FIND_EDTCLASS), "x");
  EXPECT_TRUE(Enabled(ok));
  FillDialog(kFindByHandle, "text", "", "");
  EXPECT_FALSE(Enabled(ok));
  EXPECT_FALSE(Enabled(d.Item(IDC_FIND_EDTTEXT)));
  EXPECT_TRUE(Enabled(handle));

  for (char key : {'$', 'a', 'F', '9', 'g', 'x', '-', ' '}) SendMessageA(handle, WM_CHAR, key, 0);
  EXPECT_EQ(WindowTextOf(handle), "$AF9");
  SendMessageA(handle, WM_CHAR, '\b', 0);
  EXPECT_EQ(WindowTextOf(handle), "$AF");
  EXPECT_TRUE(Enabled(ok));

  // Fields keep their contents between showings.
  Find({IDCANCEL});
  EXPECT_EQ(WindowTextOf(handle), "$AF");
  EXPECT_EQ(d.Mode(), kFindByHandle);
}

}  // namespace
