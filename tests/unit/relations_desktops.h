#pragma once
// Desktops for the relations tests and benchmark, and straight transcriptions
// of the tree and Digger rules that the faster code must agree with.
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FakeDesktop.h"
#include "relations/WinTree.h"

constexpr uint32_t kChildStyle = 0x40000000u;

// A FakeDesktop that enumerates the desktop as user32 and Wine do (every window,
// depth first), can drop WS_CHILD from children moved under a parent with
// SetParent (GetParent then gives 0, as for any window that is neither child
// nor pop-up), gives the desktop its class name, and counts the queries the
// code under test makes.
class RealisticDesktop : public FakeDesktop {
 public:
  bool fullDesktopEnumeration = true;
  mutable int enumerations = 0, queries = 0;

  void StripChildStyle(Hwnd w) { m_stripped.insert(w); }

  std::vector<Hwnd> ChildWindows(Hwnd parent) const override {
    ++enumerations;
    if ((parent != 0 && parent != kDesktop) || !fullDesktopEnumeration) return FakeDesktop::ChildWindows(parent);
    std::vector<Hwnd> all;
    for (Hwnd top : TopLevelWindows()) {
      all.push_back(top);
      std::vector<Hwnd> below = FakeDesktop::ChildWindows(top);
      all.insert(all.end(), below.begin(), below.end());
    }
    return all;
  }
  Hwnd Parent(Hwnd w) const override {
    ++queries;
    return m_stripped.count(w) ? 0 : FakeDesktop::Parent(w);
  }
  std::string ClassName(Hwnd w) const override {
    return w == kDesktop ? "#32769" : FakeDesktop::ClassName(w);
  }
  uint32_t WindowLong(Hwnd w, int index) const override {
    ++queries;
    uint32_t v = FakeDesktop::WindowLong(w, index);
    return index == WinLong::Style && m_stripped.count(w) ? v & ~kChildStyle : v;
  }

 private:
  std::set<Hwnd> m_stripped;
};

// A forest of `count` windows: unowned and owned top-level windows, a few
// top-level windows with WS_CHILD whose parent is the desktop, children at
// random depths, some hidden, some without WS_CHILD, rectangles piled around
// the middle so that many hold the same point.
inline std::vector<Hwnd> BuildRandomForest(RealisticDesktop& d, unsigned seed, int count, bool strip = true) {
  static const char* const kClasses[] = {"Edit", "Button", "Static", "#32770", "ListBox", "MainFrame", "RichEdit"};
  std::mt19937 rng(seed);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::vector<Hwnd> all, tops;
  for (int i = 0; i < count; ++i) {
    FakeWindow w;
    w.className = kClasses[pick(7)];
    w.text = pick(4) == 0 ? std::string() : (pick(2) ? "Window " : "WINDOW ") + std::to_string(i);
    w.visible = pick(8) != 0;
    int left = pick(500), top = pick(500);
    w.rect = {left, top, left + 50 + pick(800), top + 50 + pick(800)};
    int kind = pick(20);
    if (tops.empty() || kind < 4) {
      if (kind == 0 && !tops.empty()) w.owner = tops[pick(static_cast<int>(tops.size()))];
    } else if (kind == 4) {
      w.style = kChildStyle;
      w.parent = FakeDesktop::kDesktop;
    } else {
      w.child = true;
      w.parent = all[pick(static_cast<int>(all.size()))];
    }
    Hwnd h = d.Add(w);
    if (w.child && strip && pick(15) == 0) d.StripChildStyle(h);
    if (!w.child) tops.push_back(h);
    all.push_back(h);
  }
  return all;
}

// The tree rule as written: enumerate under E, join when GetParent is P or the
// style lacks WS_CHILD, insert at the front, fill the new node at once.
namespace literal {

struct Node {
  Hwnd window = 0;
  std::string label;
  std::vector<std::unique_ptr<Node>> children;
};

inline std::string Label(const WindowSystem& ws, Hwnd w) {
  char text[1025], cls[1025];
  std::snprintf(text, sizeof text, "%s", ws.WindowText(w).c_str());
  std::snprintf(cls, sizeof cls, "%s", ws.ClassName(w).c_str());
  std::vector<char> label(sizeof text + sizeof cls + 8);
  std::snprintf(label.data(), label.size(), "\"%s\" (%s)", text, cls);
  return label.data();
}

inline void Fill(const WindowSystem& ws, Node& n, Hwnd e, Hwnd p) {
  for (Hwnd w : ws.ChildWindows(e)) {
    if (ws.Parent(w) == p || !(ws.WindowLong(w, WinLong::Style) & kChildStyle)) {
      auto child = std::make_unique<Node>();
      child->window = w;
      child->label = Label(ws, w);
      Node& added = *child;
      n.children.insert(n.children.begin(), std::move(child));
      Fill(ws, added, w, w);
    }
  }
}

inline void Flatten(const Node& n, int level, int parent, std::vector<WindowNode>& out) {
  int index = static_cast<int>(out.size());
  out.push_back({n.window, n.label, level, parent, 0});
  for (const auto& c : n.children) Flatten(*c, level + 1, index, out);
}

inline std::vector<WindowNode> BuildTree(const WindowSystem& ws) {
  Node root;
  root.window = ws.Desktop();
  root.label = Label(ws, root.window);
  Fill(ws, root, root.window, 0);
  std::vector<WindowNode> out;
  Flatten(root, 0, -1, out);
  return out;
}

inline bool Contains(const WinRect& r, WinPoint p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

inline void Dig(const WindowSystem& ws, Hwnd p, WinPoint pt, std::vector<Hwnd>& out) {
  for (Hwnd c : ws.ChildWindows(p)) {
    if (ws.Parent(c) == p && ws.IsVisible(c) && Contains(ws.WindowRect(c), pt)) {
      Dig(ws, c, pt, out);
      out.push_back(c);
    }
  }
}

inline std::vector<Hwnd> Digger(const WindowSystem& ws, WinPoint pt, bool digChildren) {
  std::vector<Hwnd> out;
  for (Hwnd w : ws.TopLevelWindows()) {
    if (!ws.IsVisible(w) || !Contains(ws.WindowRect(w), pt)) continue;
    if (digChildren) Dig(ws, w, pt, out);
    out.push_back(w);
  }
  return out;
}

}  // namespace literal
