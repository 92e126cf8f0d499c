#pragma once
// Which windows the Parents, Children and Digger lists hold, in fill order,
// and the rows of each list.
#include <vector>

#include "platform/WindowSystem.h"
#include "reading/WindowRow.h"

// The GWL_HWNDPARENT chain above `target`, nearest first: the parents of a child
// window, then the owners of its top-level window. The target is not listed.
// The chain stops at the first window it has already listed: owners can be set
// to form a loop, and the list would then never end.
std::vector<Hwnd> ParentWindows(const WindowSystem& ws, Hwnd target);

// The descendants of `target` in enumeration order (a child, then its own
// descendants, then the next child) with "Show sub&children"; otherwise only
// those whose GWL_HWNDPARENT is the target.
std::vector<Hwnd> ChildWindowList(const WindowSystem& ws, Hwnd target, bool showSubchildren);

// Every visible window whose window rectangle holds `point` (left and top edges
// inside, right and bottom outside), top-level windows from the top of the
// z-order down. With "Di&g children" each top-level window is preceded by its
// hit descendants, a window's hit children before the window itself; a child
// is dug only when GetParent names the window dug into. A hidden window hides
// its subtree; children are not clipped by their parents.
std::vector<Hwnd> DiggerWindows(const WindowSystem& ws, WinPoint point, bool digChildren);

bool RectContains(const WinRect& r, WinPoint p);

// The rows of each list in fill order, numbered from 1.
std::vector<WindowRow> ParentRows(const WindowSystem& ws, Hwnd target, const HandleFormatter& format);
std::vector<WindowRow> ChildRows(const WindowSystem& ws, Hwnd target, bool showSubchildren,
                                 const HandleFormatter& format);
std::vector<WindowRow> DiggerRows(const WindowSystem& ws, WinPoint point, bool digChildren,
                                  const HandleFormatter& format);
