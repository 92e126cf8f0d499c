#pragma once
// A row of the Parents, Children and Digger lists: the window's handle, class
// and the text a list shows, numbered in fill order.
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

// "%3.3d": at least three digits, zero-padded.
std::string RowNumberText(int number);

// The row for `window` at position `number` (counting from 1). A window that is
// gone, or does not answer WM_GETTEXT in time, still gets its row, with the
// texts empty.
WindowRow MakeWindowRow(const WindowSystem& ws, Hwnd window, int number, const HandleFormatter& format);
// Rows for `windows` in that order, numbered from 1.
std::vector<WindowRow> MakeWindowRows(const WindowSystem& ws, const std::vector<Hwnd>& windows,
                                      const HandleFormatter& format);
