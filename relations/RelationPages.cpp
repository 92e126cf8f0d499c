#include "relations/RelationPages.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/CodePages.h"
#include "relations/RelationControls.h"
#include "reading/WindowLists.h"
#include "ui/Controls.h"

namespace {

struct ListSpec {
  int id;
  const char* hint;
};

// Each row: control id, hint.
const ListSpec kLists[kWindowListCount] = {
    {IDC_LSVPARENTS, "|Parents herarchy of the specified window"},
    {IDC_LSVCHILDREN, "|Children list of the specified window"},
    {IDC_LSVDIGGER, "|Complete list of the windows under mouse cursor in z-order"},
};

// The settings' widths of each list.
RelationListWidths ColumnWidthSettings::*const kWidthSettings[kWindowListCount] = {
    &ColumnWidthSettings::parents, &ColumnWidthSettings::children, &ColumnWidthSettings::digger};

// Each row: caption, design width.
struct ColumnSpec {
  const char* caption;
  int width;
};
const ColumnSpec kColumns[kWindowRowColumns] = {{"#", 25}, {"Handle", 68}, {"Class name", 104}, {"Text", 112}};

// What LVM_SORTITEMS hands back to the comparison: the kept rows and the order.
struct SortContext {
  const std::vector<WindowRow>* rows;
  SortState sort;
  CellCompare compare;
};

int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM context) {
  const auto* c = reinterpret_cast<const SortContext*>(context);
  const size_t n = c->rows->size();
  if (static_cast<size_t>(a) >= n || static_cast<size_t>(b) >= n) return 0;
  return lsvCompare((*c->rows)[a], (*c->rows)[b], c->sort, c->compare);
}

void SetSubItemText(HWND list, int position, int column, const std::string& text) {
  std::wstring wide = Widen(text);
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = &wide[0];
  SendMessageW(list, LVM_SETITEMTEXTW, position, reinterpret_cast<LPARAM>(&item));
}

int ItemCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

}  // namespace

WindowListsPage::WindowListsPage(RelationsHost& host)
    : m_host(host), m_pages{{*this, kListParents}, {*this, kListChildren}, {*this, kListDigger}} {
  const ColumnWidthSettings defaults;
  for (int i = 0; i < kWindowListCount; ++i) m_widths[i] = defaults.*kWidthSettings[i];
}

void WindowListsPage::CreateList(int i, HWND sheet) {
  HWND list = CreateControl(sheet, {ControlKind::ListView, kLists[i].id, "", 12, 12, 403, 373, kLists[i].hint});
  m_lists[i] = list;
  if (!list) return;
  for (int c = 0; c < kWindowRowColumns; ++c) AddListColumn(list, c, kColumns[c].caption, kColumns[c].width);
  SetColumnWidths(i, m_widths[i]);
}

void WindowListsPage::ListPage::LoadSettings(const SettingsValues& values) {
  m_lists.m_widths[m_list] = values.columns.*kWidthSettings[m_list];
  if (m_sheet) m_lists.SetColumnWidths(m_list, m_lists.m_widths[m_list]);
}

void WindowListsPage::ListPage::StoreSettings(SettingsValues& values) const {
  values.columns.*kWidthSettings[m_list] = m_sheet ? m_lists.ColumnWidths(m_list) : m_lists.m_widths[m_list];
}

HWND WindowListsPage::List(int list) const {
  return list >= 0 && list < kWindowListCount ? m_lists[list] : nullptr;
}

void WindowListsPage::InsertItem(HWND list, int position, const WindowRow& row, int rowIndex) {
  std::wstring number = Widen(row.number);
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = position;
  item.pszText = &number[0];
  item.lParam = rowIndex;
  int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return;
  SetSubItemText(list, at, kColumnHandle, row.handleText);
  SetSubItemText(list, at, kColumnClass, row.className);
  SetSubItemText(list, at, kColumnText, row.text);
}

void WindowListsPage::ShowList(int list) {
  HWND control = m_lists[list];
  if (!control) return;
  // The handles take the display options of now: a change of format redraws
  // the rows without reading the windows again.
  std::vector<WindowRow> rows = m_host.Rows(list);
  const DisplayOptions options = m_host.CurrentDisplayOptions();
  for (WindowRow& row : rows) row.handleText = FormatInteger(row.handle, options);
  RedrawSuspended redraw(control);
  SendMessageA(control, LVM_DELETEALLITEMS, 0, 0);
  m_rows[list] = std::move(rows);
  const std::vector<WindowRow>& kept = m_rows[list];
  SendMessageA(control, LVM_SETITEMCOUNT, kept.size(), 0);
  std::vector<int> order = SortedOrder(kept, m_host.Sort(), LocaleCompare);
  for (size_t i = 0; i < order.size(); ++i) InsertItem(control, static_cast<int>(i), kept[order[i]], order[i]);
}

void WindowListsPage::SortList(int list) {
  HWND control = m_lists[list];
  if (!control) return;
  SortContext context{&m_rows[list], m_host.Sort(), LocaleCompare};
  RedrawSuspended redraw(control);
  SendMessageA(control, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
               reinterpret_cast<LPARAM>(CompareItems));
}

void WindowListsPage::lsvColumnClick(int column) {
  m_host.SetSort(ColumnClick(m_host.Sort(), column));
  for (int list = 0; list < kWindowListCount; ++list) SortList(list);
}

void WindowListsPage::Detail(int list) {
  int row = SelectedRow(list);
  if (row < 0) return;
  m_host.InspectWindow(m_rows[list][row].handle, true);
  m_host.ShowWindowPage();
}

bool WindowListsPage::DetailEnabled(int list) const {
  return m_lists[list] && ItemCount(m_lists[list]) > 0 && SendMessageA(m_lists[list], LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

int WindowListsPage::RowAt(int list, int position) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = position;
  if (!SendMessageA(m_lists[list], LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.lParam >= 0 && static_cast<size_t>(item.lParam) < m_rows[list].size() ? static_cast<int>(item.lParam)
                                                                                      : -1;
}

std::vector<WindowRow> WindowListsPage::DisplayedRows(int list) const {
  std::vector<WindowRow> shown;
  const int count = ItemCount(m_lists[list]);
  for (int i = 0; i < count; ++i) {
    int row = RowAt(list, i);
    if (row >= 0) shown.push_back(m_rows[list][row]);
  }
  return shown;
}

int WindowListsPage::SelectedRow(int list) const {
  int position = static_cast<int>(SendMessageA(m_lists[list], LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return position < 0 ? -1 : RowAt(list, position);
}

void WindowListsPage::SelectPosition(int list, int position) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = position < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(m_lists[list], LVM_SETITEMSTATE, position < 0 ? static_cast<WPARAM>(-1) : position,
               reinterpret_cast<LPARAM>(&item));
}

RelationListWidths WindowListsPage::ColumnWidths(int list) const {
  RelationListWidths widths{};
  for (int c = 0; c < kWindowRowColumns; ++c) {
    widths[c] = static_cast<int>(SendMessageA(m_lists[list], LVM_GETCOLUMNWIDTH, c, 0));
  }
  return widths;
}

void WindowListsPage::SetColumnWidths(int list, const RelationListWidths& widths) {
  for (int c = 0; c < kWindowRowColumns; ++c) {
    // LVSCW_AUTOSIZE and its kin are negative; a stored width never asks for them.
    SendMessageA(m_lists[list], LVM_SETCOLUMNWIDTH, c, MAKELPARAM(std::max(widths[c], 0), 0));
  }
}

int WindowListsPage::ListOf(HWND control) const {
  for (int list = 0; list < kWindowListCount; ++list) {
    if (control && m_lists[list] == control) return list;
  }
  return -1;
}

bool WindowListsPage::OnNotify(NMHDR* hdr, LRESULT& result) {
  const int list = ListOf(hdr->hwndFrom);
  if (list < 0) return false;
  result = 0;
  switch (hdr->code) {
    case LVN_COLUMNCLICK: lsvColumnClick(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem); return true;
    case NM_CLICK: lsvClick(); return true;
    case NM_DBLCLK: Detail(list); return true;
  }
  return false;
}
