#include "reading/WindowRow.h"

#include <cstdio>

#include "reading/WindowFacts.h"

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

WindowRow MakeWindowRow(const WindowSystem& ws, Hwnd window, int number, const HandleFormatter& format) {
  const WindowFacts facts = ReadWindowFacts(ws, window, Facts::Text | Facts::ClassName);
  WindowRow row;
  row.number = RowNumberText(number);
  row.handleText = format(window);
  row.handle = window;
  row.className = facts.className;
  // A resource identifier's window shows the title it keeps, as the ANSI
  // lists showed it (and as the tree and Find read it), all of it and in UTF-8.
  row.text = OwnText(facts);
  return row;
}

std::vector<WindowRow> MakeWindowRows(const WindowSystem& ws, const std::vector<Hwnd>& windows,
                                      const HandleFormatter& format) {
  std::vector<WindowRow> rows;
  rows.reserve(windows.size());
  for (Hwnd w : windows) rows.push_back(MakeWindowRow(ws, w, static_cast<int>(rows.size()) + 1, format));
  return rows;
}
