#pragma once
// The Parents, Children and Digger pages: one list view each, sharing the row
// format, the sort state and the Detail command. The rows are kept here, in
// fill order; each list item carries the index of its row, so sorting compares
// the kept strings and Detail reads the handle from the row, never the text.
#include <windows.h>

#include <array>
#include <vector>

#include "relations/RelationsHost.h"
#include "relations/WindowRows.h"
#include "ui/TabPage.h"

enum WindowListId { kListParents = 0, kListChildren = 1, kListDigger = 2, kWindowListCount = 3 };

// Column widths of one list in pixels, "#" first: what the settings keep as
// ParentsColumns, ChildrenColumns and DiggerColumns.
using RelationListWidths = std::array<int, kWindowRowColumns>;

class WindowListsPage : public PageHandler {
 public:
  explicit WindowListsPage(RelationsHost& host);
  WindowListsPage(const WindowListsPage&) = delete;
  WindowListsPage& operator=(const WindowListsPage&) = delete;

  // The page of each list: it makes its list view filling its sheet, shows
  // the host's rows, keeps the list's column widths and answers Detail.
  TabPage& Page(int list) { return m_pages[list]; }
  HWND List(int list) const;

  // Refills a list from the host's rows, in the display options and the
  // sort order of now.
  void ShowList(int list);

  // A header click in any of the lists: the sort state changes and all three
  // lists take the new order.
  void lsvColumnClick(int column);
  void lsvClick() { m_host.UpdateDetailButton(); }
  // Detail on a list: inspects the selected row's window and shows the Window page.
  void Detail(int list);
  bool DetailEnabled(int list) const;

  // The rows in fill order, and as the list shows them.
  const std::vector<WindowRow>& Rows(int list) const { return m_rows[list]; }
  std::vector<WindowRow> DisplayedRows(int list) const;
  // Index into Rows() of the selected row; -1 when none is selected.
  int SelectedRow(int list) const;
  // Selects the row shown at `position` (-1: none), as a click would.
  void SelectPosition(int list, int position);

  RelationListWidths ColumnWidths(int list) const;
  void SetColumnWidths(int list, const RelationListWidths& widths);

  bool OnNotify(NMHDR* hdr, LRESULT& result) override;

 private:
  class ListPage : public TabPage {
   public:
    ListPage(WindowListsPage& lists, int list) : m_lists(lists), m_list(list) {}
    void LoadSettings(const SettingsValues& values) override;
    void StoreSettings(SettingsValues& values) const override;
    bool DetailEnabled() const override { return m_lists.DetailEnabled(m_list); }
    void Detail() override { m_lists.Detail(m_list); }

   protected:
    void MakeControls() override { m_lists.CreateList(m_list, m_sheet); }
    void Show() override { m_lists.ShowList(m_list); }

   private:
    WindowListsPage& m_lists;
    int m_list;
  };

  void CreateList(int list, HWND sheet);
  void InsertItem(HWND list, int position, const WindowRow& row, int rowIndex);
  void SortList(int list);
  int ListOf(HWND control) const;
  int RowAt(int list, int position) const;

  RelationsHost& m_host;
  ListPage m_pages[kWindowListCount];
  HWND m_lists[kWindowListCount] = {};
  std::vector<WindowRow> m_rows[kWindowListCount];
  // Until its list exists, a page keeps the widths the settings gave it.
  RelationListWidths m_widths[kWindowListCount];
};
