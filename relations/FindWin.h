#pragma once
// Searching the window tree by text and class or by handle, as the Find Window
// dialog and the Next and Previous buttons do.
#include <functional>
#include <string>

#include "platform/WindowSystem.h"
#include "relations/WinTree.h"

// Items of the dialog's "Mode" group.
enum FindMode { kFindByText = 0, kFindByHandle = 1 };

// The locale's upper-casing (CharUpperBuffW in the program), applied alike to
// the search strings and to the texts they are looked for in.
using UpperCase = std::function<std::string(const std::string&)>;
std::string AsciiUpper(const std::string& s);

// Handle syntax: optional leading blanks, an optional sign, then a decimal
// number in the signed 32-bit range or "$" and one to eight hexadecimal digits;
// nothing may follow. A minus negates in 32 bits.
bool ParseHandle(const std::string& text, Hwnd& handle);
// The error shown when OK is pressed with a handle that does not parse; the
// standard error box appends the full stop.
std::string InvalidHandleText(const std::string& text);

// The keys the Handle field lets through: Backspace, "$" and hexadecimal digits.
bool HandleKeyAccepted(char key);
// OK needs something to search for in the chosen mode.
bool FindOkEnabled(int mode, const std::string& text, const std::string& className,
                   const std::string& handle);

// The window's current text (GetWindowText) and class name, upper-cased, must
// contain the search strings that are not empty; both empty match every window.
// `upperText` and `upperClass` are already upper case.
bool NodeMatches(const WindowSystem& ws, Hwnd window, const std::string& upperText,
                 const std::string& upperClass, const UpperCase& upper);

// The first matching node after `start` in absolute order, or before it when
// `backward`; the start node is not tested and the search does not wrap.
// `start` may be Count() to search backwards from the last node. -1: none.
int FindNextNode(const WindowTree& tree, const WindowSystem& ws, int start, bool backward,
                 const std::string& upperText, const std::string& upperClass, const UpperCase& upper);

// Where Next and Previous start: the selected node, or with no selection the
// ends of the tree, so that Next finds the first match below the root as Find
// does and Previous the last match in the tree.
int SearchStart(const WindowTree& tree, int selected, bool backward);

// What the dialog holds when it is closed with OK.
struct FindRequest {
  int mode = kFindByText;
  std::string text, className, handle;
};
// Find: a text search starts after the root, so the desktop node is never found
// by it; a handle search takes the first node of the window, the root included.
// -1 when nothing is found or the handle does not parse.
int FindFirstNode(const WindowTree& tree, const WindowSystem& ws, const FindRequest& request,
                  const UpperCase& upper);
// Next or Previous with what the dialog's text and class fields hold now.
int FindAgain(const WindowTree& tree, const WindowSystem& ws, int selected, bool backward,
              const std::string& text, const std::string& className, const UpperCase& upper);
