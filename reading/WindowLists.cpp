#include "reading/WindowLists.h"

#include <unordered_set>

#include "reading/WindowWalk.h"

std::vector<Hwnd> ParentWindows(const WindowSystem& ws, Hwnd target) {
  std::vector<Hwnd> chain;
  std::unordered_set<Hwnd> seen{target};
  for (Hwnd w = ws.WindowLong(target, WinLong::HwndParent); w != 0 && seen.insert(w).second;
       w = ws.WindowLong(w, WinLong::HwndParent)) {
    chain.push_back(w);
  }
  return chain;
}

std::vector<Hwnd> ChildWindowList(const WindowSystem& ws, Hwnd target, bool showSubchildren) {
  std::vector<Hwnd> all = ws.ChildWindows(target);
  if (showSubchildren) return all;
  std::vector<Hwnd> direct;
  for (Hwnd c : all) {
    if (ws.WindowLong(c, WinLong::HwndParent) == target) direct.push_back(c);
  }
  return direct;
}

bool RectContains(const WinRect& r, WinPoint p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

namespace {

// Digging is a post-order walk over the hit windows: a window is listed once
// its hit children are. It keeps its own stack, since nesting depth is up to
// whoever creates the windows.
void Dig(WindowWalk& walk, Hwnd top, WinPoint point, std::vector<Hwnd>& out) {
  const WindowSystem& ws = walk.System();
  struct Frame {
    Hwnd window;
    WindowSpan descendants;
    size_t next;
  };
  std::vector<Frame> frames{{top, walk.Descendants(top), 0}};
  while (!frames.empty()) {
    Frame& f = frames.back();
    Hwnd hit = 0;
    while (hit == 0 && f.next < f.descendants.size()) {
      Hwnd c = f.descendants.first[f.next++];
      if (walk.Parent(c) == f.window && ws.IsVisible(c) && RectContains(ws.WindowRect(c), point)) hit = c;
    }
    if (hit != 0) {
      frames.push_back({hit, walk.Descendants(hit), 0});
    } else {
      out.push_back(f.window);
      frames.pop_back();
    }
  }
}

}  // namespace

std::vector<Hwnd> DiggerWindows(const WindowSystem& ws, WinPoint point, bool digChildren) {
  std::vector<Hwnd> out;
  WindowWalk walk(ws);
  for (Hwnd w : ws.TopLevelWindows()) {
    if (!ws.IsVisible(w) || !RectContains(ws.WindowRect(w), point)) continue;
    if (digChildren) {
      Dig(walk, w, point, out);
    } else {
      out.push_back(w);
    }
  }
  return out;
}

std::vector<WindowRow> ParentRows(const WindowSystem& ws, Hwnd target, const HandleFormatter& format) {
  return MakeWindowRows(ws, ParentWindows(ws, target), format);
}

std::vector<WindowRow> ChildRows(const WindowSystem& ws, Hwnd target, bool showSubchildren,
                                 const HandleFormatter& format) {
  return MakeWindowRows(ws, ChildWindowList(ws, target, showSubchildren), format);
}

std::vector<WindowRow> DiggerRows(const WindowSystem& ws, WinPoint point, bool digChildren,
                                  const HandleFormatter& format) {
  return MakeWindowRows(ws, DiggerWindows(ws, point, digChildren), format);
}
