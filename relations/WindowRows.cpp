#include "relations/WindowRows.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

const std::string& WindowRow::Cell(int column) const {
  switch (column) {
    case kColumnHandle: return handleText;
    case kColumnClass: return className;
    case kColumnText: return text;
  }
  return number;
}

std::string RowNumberText(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%3.3d", number);
  return text;
}

namespace {

// Reused between rows: the buffer is as large as the longest text a window can
// give, and allocating it per row would dominate a long fill.
struct TextBuffer {
  std::vector<char> bytes = std::vector<char>(kUtf8TextBufferSize);
  std::string Read(const WindowSystem& ws, Hwnd window) {
    std::fill(bytes.begin(), bytes.end(), '\0');
    ws.SendGetText(window, bytes.data(), kUtf8TextBufferSize);
    // A window procedure may fill the whole buffer and leave out the zero.
    bytes[kUtf8TextBufferSize - 1] = '\0';
    return std::string(bytes.data());
  }
};

WindowRow RowWithBuffer(const WindowSystem& ws, Hwnd window, int number, const HandleFormatter& format,
                        TextBuffer& buffer) {
  WindowRow row;
  row.number = RowNumberText(number);
  row.handleText = format(window);
  row.handle = window;
  row.className = ws.ClassName(window);
  row.text = buffer.Read(ws, window);
  // The answer of a resource identifier is 0xFF and the identifier's bytes, no
  // text: a list shows the title the window keeps, as the ANSI lists showed it
  // (and as the tree and Find read it), all of it and in UTF-8.
  if (!row.text.empty() && static_cast<unsigned char>(row.text[0]) == 0xFF) row.text = ws.WindowText(window);
  return row;
}

constexpr int kSequences[kWindowRowColumns][kWindowRowColumns] = {
    {kColumnNumber, kColumnHandle, kColumnClass, kColumnText},
    {kColumnHandle, kColumnNumber, kColumnClass, kColumnText},
    {kColumnClass, kColumnNumber, kColumnHandle, kColumnText},
    {kColumnText, kColumnNumber, kColumnHandle, kColumnClass},
};

bool IsColumn(int column) { return column >= 0 && column < kWindowRowColumns; }

}  // namespace

WindowRow MakeWindowRow(const WindowSystem& ws, Hwnd window, int number, const HandleFormatter& format) {
  TextBuffer buffer;
  return RowWithBuffer(ws, window, number, format, buffer);
}

std::vector<WindowRow> MakeWindowRows(const WindowSystem& ws, const std::vector<Hwnd>& windows,
                                      const HandleFormatter& format) {
  std::vector<WindowRow> rows;
  rows.reserve(windows.size());
  TextBuffer buffer;
  for (Hwnd w : windows) {
    rows.push_back(RowWithBuffer(ws, w, static_cast<int>(rows.size()) + 1, format, buffer));
  }
  return rows;
}

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
