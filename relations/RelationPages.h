#pragma once
// The Parents, Children and Digger pages: one list view each, sharing the row
// format, the sort state and the Detail command. The rows are kept here, in
// fill order; each list item carries the index of its row, so sorting compares
// the kept strings and Detail reads the handle from the row, never the text.
#include <windows.h>

#include <array>
#include <vector>

#include "app/CommandStates.h"
#include "platform/Win32WindowSystem.h"
#include "relations/RelationsHost.h"
#include "relations/WindowRows.h"
#include "ui/PageHandler.h"

enum WindowListId { kListParents = 0, kListChildren = 1, kListDigger = 2, kWindowListCount = 3 };

// Column widths of one list in pixels, "#" first: what the settings keep as
// ParentsColumns, ChildrenColumns and DiggerColumns.
using RelationListWidths = std::array<int, kWindowRowColumns>;

class WindowListsPage : public PageHandler {
 public:
  explicit WindowListsPage(RelationsHost& host) : m_host(host) {}
  WindowListsPage(const WindowListsPage&) = delete;
  WindowListsPage& operator=(const WindowListsPage&) = delete;

  // Creates lsvParents, lsvChildren and lsvDigger, each filling its sheet.
  void Create(HWND parentsSheet, HWND childrenSheet, HWND diggerSheet);
  HWND List(int list) const;

  // Adds one row for `window`, numbered after the rows already there, at its
  // place in the current order.
  void AddWindowItem(int list, Hwnd window);
  void FillParents(Hwnd target);
  void FillChildren(Hwnd target);
  // Refills the Digger list when the probe point has moved since its last fill.
  void RefreshDigger();
  void timDiggerTimer() { RefreshDigger(); }

  // The reading halves of the three fills: the rows are read now, as the
  // target is, and wait for ShowPending, which a hidden list gets when its page
  // shows or something reads it.
  void GatherParents(Hwnd target);
  void GatherChildren(Hwnd target);
  void GatherDigger();
  bool HasPending(int list) const { return m_hasPending[list]; }
  void ShowPending(int list);

  // A header click in any of the lists: the sort state changes and all three
  // lists take the new order.
  void lsvColumnClick(int column);
  void lsvClick() { m_host.UpdateDetailButton(); }
  // Detail on the Parents, Children or Digger page: inspects the selected row's
  // window and shows the Window page. False when another page is active.
  bool eveDetail();

  // The rows in fill order, and as the list shows them.
  const std::vector<WindowRow>& Rows(int list) const { return m_rows[list]; }
  std::vector<WindowRow> DisplayedRows(int list) const;
  // Index into Rows() of the selected row; -1 when none is selected.
  int SelectedRow(int list) const;
  // Selects the row shown at `position` (-1: none), as a click would.
  void SelectPosition(int list, int position);

  // Rows and selection of the three lists, for "Det&ail".
  void FillDetailSources(DetailSources& sources) const;

  RelationListWidths ColumnWidths(int list) const;
  void SetColumnWidths(int list, const RelationListWidths& widths);

  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(NMHDR* hdr, LRESULT& result) override;

 private:
  void ShowRows(int list, std::vector<WindowRow> rows);
  void InsertItem(HWND list, int position, const WindowRow& row, int rowIndex);
  void SortList(int list);
  int ListOf(HWND control) const;
  int RowAt(int list, int position) const;
  HandleFormatter Formatter() const;

  RelationsHost& m_host;
  Win32WindowSystem m_ws;
  HWND m_lists[kWindowListCount] = {};
  std::vector<WindowRow> m_rows[kWindowListCount];
  std::vector<WindowRow> m_pending[kWindowListCount];
  bool m_hasPending[kWindowListCount] = {};
};
