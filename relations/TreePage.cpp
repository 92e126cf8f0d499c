#include "relations/TreePage.h"

#include "platform/CodePages.h"
#include "relations/RelationControls.h"
#include "ui/Controls.h"

namespace {

constexpr int kTreeIndent = 19;

}  // namespace

void TreePage::MakeControls() {
  HWND sheet = m_sheet;
  // Each row: kind, id, caption, left, top, width, height, hint.
  CreateControls(sheet, {
      {ControlKind::TreeView, IDC_TRVWINDOWS, "", 12, 12, 403, 329, "|Complete tree of the windows hierarchy"},
      {ControlKind::Button, IDC_BTNPARENTTREE, "Pa&rent", 12, 360, 93, 25},
      {ControlKind::Button, IDC_BTNFINDWINDOW, "&Find...", 116, 360, 93, 25},
      {ControlKind::Button, IDC_BTNFINDPREVWINDOW, "Previo&us", 220, 360, 93, 25},
      {ControlKind::Button, IDC_BTNFINDNEXTWINDOW, "&Next", 324, 360, 93, 25},
  });
  m_trv = Item(sheet, IDC_TRVWINDOWS);
  m_btnParent = Item(sheet, IDC_BTNPARENTTREE);
  m_btnFind = Item(sheet, IDC_BTNFINDWINDOW);
  m_btnPrev = Item(sheet, IDC_BTNFINDPREVWINDOW);
  m_btnNext = Item(sheet, IDC_BTNFINDNEXTWINDOW);
  SendMessageA(m_trv, TVM_SETINDENT, kTreeIndent, 0);
  // No node is selected yet, so there is no parent to walk to.
  SetEnabled(m_btnParent, false);
  ApplyCommands();
}

void TreePage::SetProbing(bool probing) {
  m_probing = probing;
  m_commandsGiven = true;
  if (m_sheet) ApplyCommands();
}

void TreePage::ApplyCommands() {
  // Until probing first starts or stops, the buttons keep their design state.
  if (!m_commandsGiven) {
    for (HWND b : {m_btnFind, m_btnPrev, m_btnNext}) SetEnabled(b, false);
    return;
  }
  SetEnabled(m_btnFind, !m_probing);
  SetEnabled(m_btnNext, !m_probing && m_textSearch);
  SetEnabled(m_btnPrev, !m_probing && m_textSearch);
}

void TreePage::Show() {
  if (m_readDeferred) GatherWindowTree();
  ShowPendingTree();
  SelectTreeNode(m_target);
  UpdateParentTreeButton();
}

void TreePage::SetMessageBox(MessageBoxFn box) {
  m_box = box;
  m_find.SetMessageBox(std::move(box));
}

HTREEITEM TreePage::InsertNode(int node, HTREEITEM parent) {
  std::wstring label = Widen(m_tree[node].label);
  TVINSERTSTRUCTW is = {};
  is.hParent = parent;
  is.hInsertAfter = TVI_LAST;
  is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
  is.item.pszText = &label[0];
  is.item.lParam = node;
  // The expand button shows before the children are in the control.
  is.item.cChildren = m_tree.HasChildren(node) ? 1 : 0;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(m_trv, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&is)));
  m_items[node] = item;
  return item;
}

void TreePage::Populate(int node) {
  if (!m_tree.IsNode(node) || m_populated[node] || !m_items[node]) return;
  m_populated[node] = 1;
  for (int child : m_tree.Children(node)) InsertNode(child, m_items[node]);
}

HTREEITEM TreePage::ItemOf(int node) const { return m_tree.IsNode(node) ? m_items[node] : nullptr; }

void TreePage::BuildWindowTree() {
  GatherWindowTree();
  ShowPendingTree();
}

void TreePage::GatherWindowTree() {
  m_readDeferred = false;
  m_pendingTree = ::BuildWindowTree(m_ws);
  m_treePending = true;
}

void TreePage::ShowPendingTree() {
  if (!m_treePending || !m_trv) return;
  m_treePending = false;
  RedrawSuspended redraw(m_trv);
  SendMessageA(m_trv, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  m_tree = std::move(m_pendingTree);
  m_pendingTree = WindowTree();
  m_items.assign(m_tree.Count(), nullptr);
  m_populated.assign(m_tree.Count(), 0);
  if (m_tree.Empty()) return;
  HTREEITEM root = InsertNode(0, TVI_ROOT);
  Populate(0);
  SendMessageA(m_trv, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
}

int TreePage::NodeOfItem(HTREEITEM item) const {
  if (!item) return -1;
  TVITEMA tv = {};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  if (!SendMessageA(m_trv, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return -1;
  int node = static_cast<int>(tv.lParam);
  return m_tree.IsNode(node) && m_items[node] == item ? node : -1;
}

int TreePage::SelectedNode() const {
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(m_trv, TVM_GETNEXTITEM, TVGN_CARET, 0));
  return NodeOfItem(item);
}

void TreePage::SelectNode(int node) {
  if (!m_tree.IsNode(node)) {
    SendMessageA(m_trv, TVM_SELECTITEM, TVGN_CARET, 0);
    return;
  }
  std::vector<int> path = m_tree.Path(node);
  {
    RedrawSuspended redraw(m_trv);
    for (size_t i = 0; i + 1 < path.size(); ++i) {
      Populate(path[i]);
      SendMessageA(m_trv, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_items[path[i]]));
    }
  }
  HTREEITEM item = m_items[node];
  SendMessageA(m_trv, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  SendMessageA(m_trv, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

void TreePage::SelectTreeNode(Hwnd window) { SelectNode(FindWindowNode(m_tree, window)); }

void TreePage::btnParentTreeClick() {
  int selected = SelectedNode();
  if (ParentTreeEnabled(m_tree, selected)) SelectNode(ParentTreeNode(m_tree, selected));
  SetEnabled(m_btnParent, ParentTreeEnabled(m_tree, SelectedNode()));
}

void TreePage::UpdateParentTreeButton() {
  SetEnabled(m_btnParent, ParentTreeEnabled(m_tree, SelectedNode()) && !m_host.Probing());
}

HWND TreePage::Owner() const { return GetAncestor(m_trv, GA_ROOT); }

void TreePage::NotFound() const { ShowInfoText(m_box, Owner(), "Window not found."); }

void TreePage::btnFindWindowClick() {
  FindRequest request;
  // Made on first use: most starts never open it.
  m_find.Create(Owner());
  if (m_find.ShowModal(request)) {
    int found = -1;
    {
      HourglassCursor wait;
      m_textSearch = request.mode == kFindByText;
      found = FindFirstNode(m_tree, m_ws, request, LocaleUpper);
    }
    if (found >= 0) {
      SelectNode(found);
    } else {
      NotFound();
    }
  }
  // After Cancel the flag of the last accepted search counts.
  const bool again = m_textSearch;
  SetEnabled(m_btnNext, again);
  SetEnabled(m_btnPrev, again);
}

void TreePage::btnFindNextWindowClick(bool previous) {
  int found = -1;
  {
    HourglassCursor wait;
    found = FindAgain(m_tree, m_ws, SelectedNode(), previous, m_find.Text(), m_find.ClassText(), LocaleUpper);
  }
  if (found >= 0) {
    SelectNode(found);
  } else {
    NotFound();
  }
}

void TreePage::Detail() {
  int selected = SelectedNode();
  if (selected >= 0) {
    m_host.InspectWindow(m_tree[selected].window, true);
    m_host.ShowWindowPage();
  }
}

bool TreePage::DetailEnabled() const {
  return m_trv && SendMessageA(m_trv, TVM_GETCOUNT, 0, 0) > 0 && SendMessageA(m_trv, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0;
}

bool TreePage::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_BTNPARENTTREE: btnParentTreeClick(); return true;
    case IDC_BTNFINDWINDOW: btnFindWindowClick(); return true;
    case IDC_BTNFINDNEXTWINDOW: btnFindNextWindowClick(false); return true;
    case IDC_BTNFINDPREVWINDOW: btnFindNextWindowClick(true); return true;
  }
  return false;
}

bool TreePage::OnNotify(NMHDR* hdr, LRESULT& result) {
  if (!m_trv || hdr->hwndFrom != m_trv) return false;
  result = 0;
  switch (hdr->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      // Only the handle, action and lParam are read: they sit alike in both forms.
      auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
      if (nm->action & TVE_EXPAND) {
        int node = NodeOfItem(nm->itemNew.hItem);
        if (node >= 0 && !m_populated[node]) {
          RedrawSuspended redraw(m_trv);
          Populate(node);
        }
      }
      return true;
    }
    case NM_CLICK:
      trvWindowsClick();
      return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      // A click reports NM_CLICK before it moves the selection; the change
      // that follows is part of the same click.
      if (reinterpret_cast<NMTREEVIEWA*>(hdr)->action == TVC_BYMOUSE) trvWindowsClick();
      return true;
  }
  return false;
}
