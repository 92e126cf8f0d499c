#pragma once
// The comparison of the Parents, Children and Digger lists' rows, and the
// sort state that all three lists share.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "reading/WindowRow.h"

// A text comparison of two cells, negative, zero or positive (CompareStringA
// with LOCALE_USER_DEFAULT and no flags, less 2, in the program).
using CellCompare = std::function<int(const std::string&, const std::string&)>;

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
