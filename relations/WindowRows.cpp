#include "relations/WindowRows.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int kSequences[kWindowRowColumns][kWindowRowColumns] = {
    {kColumnNumber, kColumnHandle, kColumnClass, kColumnText},
    {kColumnHandle, kColumnNumber, kColumnClass, kColumnText},
    {kColumnClass, kColumnNumber, kColumnHandle, kColumnText},
    {kColumnText, kColumnNumber, kColumnHandle, kColumnClass},
};

bool IsColumn(int column) { return column >= 0 && column < kWindowRowColumns; }

}  // namespace

SortState SortStateFromSettings(int sortMode, bool inverted) {
  int column = IsColumn(sortMode) ? sortMode : kColumnNumber;
  return {column, column, inverted};
}

SortState ColumnClick(SortState state, int clickedColumn) {
  state.column = clickedColumn;
  state.inverted = state.column == state.lastColumn ? !state.inverted : false;
  state.lastColumn = state.column;
  return state;
}

const int* CompareSequence(int sortColumn) {
  return kSequences[IsColumn(sortColumn) ? sortColumn : kColumnNumber];
}

int lsvCompare(const WindowRow& a, const WindowRow& b, const SortState& sort, const CellCompare& compare) {
  const int* sequence = CompareSequence(sort.column);
  int result = 0;
  for (int i = 0; i < kWindowRowColumns && result == 0; ++i) {
    int c = compare(a.Cell(sequence[i]), b.Cell(sequence[i]));
    // Only the sign counts: negating an arbitrary comparer's INT_MIN would overflow.
    result = (c > 0) - (c < 0);
  }
  return sort.inverted ? -result : result;
}

void SortRows(std::vector<WindowRow>& rows, const SortState& sort, const CellCompare& compare) {
  // A merge sort stays within the range even if a locale's comparison is not a
  // strict order.
  std::stable_sort(rows.begin(), rows.end(), [&](const WindowRow& a, const WindowRow& b) {
    return lsvCompare(a, b, sort, compare) < 0;
  });
}

std::vector<int> SortedOrder(const std::vector<WindowRow>& rows, const SortState& sort,
                             const CellCompare& compare) {
  std::vector<int> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return lsvCompare(rows[a], rows[b], sort, compare) < 0; });
  return order;
}

int OrdinalCompare(const std::string& a, const std::string& b) {
  int c = a.compare(b);
  return (c > 0) - (c < 0);
}
