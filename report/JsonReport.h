#pragma once
// The JSON report: the same reading as the text report, with numbers as
// numbers, handles as integers and styles as the value and its constant names.
// The document's shape is docs/tarvisk-report.schema.json.
#include <functional>
#include <string>
#include <vector>

#include "inspect/WindowInfo.h"
#include "relations/WindowRows.h"
#include "reading/Reading.h"

// Texts read from windows are UTF-8 already; the executable's texts (file
// paths, version strings, module names) are in the ANSI code page, and JSON
// strings are UTF-8.
using TextToUtf8 = std::function<std::string(const std::string&)>;
// Bytes as ISO 8859-1, for tests and tools without a code page.
std::string Latin1ToUtf8(const std::string& text);
// The way back: a character past U+00FF becomes "?", as a code page's
// conversion gives it.
std::string Utf8ToLatin1(const std::string& text);

// The lists come in the order the pages show them, which the display options
// and the sort state decide (the Handle column sorts by its text); the values
// themselves do not depend on either.
std::string JsonReportText(const Reading& reading, const DisplayOptions& opts, const SortState& sort,
                           const CellCompare& compare, const TextToUtf8& utf8);

// One window of a listing (the top-level windows, or one window's descendants).
struct ListedWindow {
  Hwnd handle = 0;
  Hwnd parent = 0;  // GetParent: the parent, or the owner of a pop-up
  uint32_t processId = 0;
  std::string className;
  bool visible = false;
  std::string text;
};

std::string JsonWindowListText(const std::vector<ListedWindow>& windows);
// One line per window, fields separated by tabs: the handle in the handle
// syntax of /window ("$" and 8 hexadecimal digits), the process id in decimal,
// the class, 1 or 0 for visible, the text with its tabs and line breaks as
// blanks. Lines end with CR LF; the texts stay in the ANSI code page.
std::string TextWindowList(const std::vector<ListedWindow>& windows);
