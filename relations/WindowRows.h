#pragma once
// The row shared by the Parents, Children and Digger lists, its comparison and
// the sort state that all three lists share.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

enum WindowRowColumn { kColumnNumber = 0, kColumnHandle = 1, kColumnClass = 2, kColumnText = 3 };
constexpr int kWindowRowColumns = 4;

struct WindowRow {
  std::string number;     // "%3.3d" of the position in the list when it was added
  std::string handleText; // the handle through the integer format
  std::string className;
  std::string text;       // WM_GETTEXT, raw
  Hwnd handle = 0;        // bound to the Handle cell; Detail reads this, never the text

  const std::string& Cell(int column) const;
};

// The handle as the Handle column shows it (FormatInteger with the current
// display options, in the program).
using HandleFormatter = std::function<std::string(uint32_t)>;
// A text comparison of two cells, negative, zero or positive (CompareStringA
// with LOCALE_USER_DEFAULT and no flags, less 2, in the program).
using CellCompare = std::function<int(const std::string&, const std::string&)>;

// "%3.3d": at least three digits, zero-padded.
std::string RowNumberText(int number);

// The row for `window` at position `number` (counting from 1). A window that is
// gone, or does not answer WM_GETTEXT in time, still gets its row, with the
// texts empty.
WindowRow MakeWindowRow(const WindowSystem& ws, Hwnd window, int number, const HandleFormatter& format);
// Rows for `windows` in that order, numbered from 1.
std::vector<WindowRow> MakeWindowRows(const WindowSystem& ws, const std::vector<Hwnd>& windows,
                                      const HandleFormatter& format);

// SortColumn, LastSortColumn and SortInverted of the main window.
struct SortState {
  int column = 0;
  int lastColumn = 0;
  bool inverted = false;
};

// The stored SortMode goes into both columns; a value that names no column is
// taken as column 0, the order the lists would show with it anyway.
SortState SortStateFromSettings(int sortMode, bool inverted);
// A click on a header: the same column again toggles the direction, another
// column sorts ascending by it.
SortState ColumnClick(SortState state, int clickedColumn);
// The cells compared, in order, for a sort column; any other column sorts as 0.
const int* CompareSequence(int sortColumn);

// The comparison of the three lists: the first non-zero cell comparison of the
// sort column's sequence, negated when inverted. The result is -1, 0 or 1.
int lsvCompare(const WindowRow& a, const WindowRow& b, const SortState& sort, const CellCompare& compare);
// Orders `rows` as the list shows them.
void SortRows(std::vector<WindowRow>& rows, const SortState& sort, const CellCompare& compare);
// Same, for lists that keep their rows elsewhere: the row indices in display order.
std::vector<int> SortedOrder(const std::vector<WindowRow>& rows, const SortState& sort,
                             const CellCompare& compare);

// Byte-wise comparison, for tests and tools without a locale.
int OrdinalCompare(const std::string& a, const std::string& b);
