// The window tree over desktops decoded from the input: every shape user32 can
// produce (owned pop-ups, top-level windows with WS_CHILD, children moved with
// SetParent that lost WS_CHILD, deep nesting, texts with zeros or beyond the
// label's 1024 bytes) must give exactly the tree of the rule as written, on
// desktops that enumerate every window and on those that list only the top
// level. The Digger list is checked against its rule on the same desktops.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "relations/FindWin.h"
#include "relations/WinTree.h"
#include "reading/WindowLists.h"
#include "relations_desktops.h"

namespace {

constexpr int kMaxWindows = 40;
constexpr long kMaxNodes = 4000;

std::string Bytes(FuzzedDataProvider& in) {
  std::string s = in.ConsumeRandomLengthString(24);
  // Now and then a text long enough to be cut in the label.
  if (!s.empty() && in.ConsumeIntegralInRange<int>(0, 15) == 0)
    s = std::string(1000 + static_cast<unsigned char>(s[0]) * 4, s.back()) + s;
  return s;
}

struct Decoded {
  std::vector<Hwnd> windows;
  std::vector<WinPoint> points;
};

Decoded DecodeDesktop(FuzzedDataProvider& in, RealisticDesktop& d) {
  Decoded out;
  std::vector<Hwnd> tops;
  const int count = in.ConsumeIntegralInRange<int>(0, kMaxWindows);
  for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
    FakeWindow w;
    const uint8_t kind = in.ConsumeIntegral<uint8_t>();
    w.text = Bytes(in);
    w.className = in.ConsumeBool() ? std::string("Edit") : Bytes(in);
    w.visible = (kind & 0x08) == 0;
    const int left = in.ConsumeIntegralInRange<int>(-50, 300);
    const int top = in.ConsumeIntegralInRange<int>(-50, 300);
    w.rect = {left, top, left + in.ConsumeIntegralInRange<int>(0, 300),
              top + in.ConsumeIntegralInRange<int>(0, 300)};
    bool strip = false;
    switch (out.windows.empty() ? 0 : kind & 0x07) {
      case 0:
      case 1: break;  // unowned top-level
      case 2:         // owned pop-up: the owner is a top-level window
        if (!tops.empty()) w.owner = tops[in.ConsumeIntegralInRange<size_t>(0, tops.size() - 1)];
        break;
      case 3:  // top-level with WS_CHILD: its parent is the desktop itself
        w.style = kChildStyle;
        w.parent = FakeDesktop::kDesktop;
        break;
      default:  // a child of any window so far, now and then moved with SetParent
        w.child = true;
        w.parent = out.windows[in.ConsumeIntegralInRange<size_t>(0, out.windows.size() - 1)];
        strip = (kind & 0x30) == 0x30;
        break;
    }
    const Hwnd h = d.Add(w);
    if (strip) d.StripChildStyle(h);
    if (!w.child) tops.push_back(h);
    out.windows.push_back(h);
  }
  for (int i = in.ConsumeIntegralInRange<int>(0, 3); i > 0; --i)
    out.points.push_back({in.ConsumeIntegralInRange<int>(-60, 620), in.ConsumeIntegralInRange<int>(-60, 620)});
  return out;
}

// Windows without WS_CHILD join under every ancestor, so nested ones multiply
// the rule's tree; its size is counted first and huge ones are skipped.
long RuleTreeSize(const WindowSystem& ws, Hwnd e, Hwnd p, std::map<Hwnd, long>& memo) {
  long n = 1;
  for (Hwnd w : ws.ChildWindows(e)) {
    if (ws.Parent(w) != p && (ws.WindowLong(w, WinLong::Style) & kChildStyle)) continue;
    auto it = memo.find(w);
    if (it == memo.end()) it = memo.emplace(w, RuleTreeSize(ws, w, w, memo)).first;
    n = std::min(n + it->second, kMaxNodes + 1);
  }
  return n;
}

std::string NodeText(const WindowNode& n) {
  return std::to_string(n.window) + " level " + std::to_string(n.level) + " parent " +
         std::to_string(n.parent) + " '" + Shown(n.label) + "'";
}

void CheckTree(const RealisticDesktop& d, const std::vector<Hwnd>& windows, const char* mode) {
  const std::vector<WindowNode> rule = literal::BuildTree(d);
  const WindowTree tree = BuildWindowTree(d);
  const std::vector<WindowNode>& nodes = tree.Nodes();
  const std::string m = mode;
  FUZZ_CHECK(nodes.size() == rule.size(), m + ": " + std::to_string(nodes.size()) + " nodes, rule " +
                                              std::to_string(rule.size()));
  for (size_t i = 0; i < nodes.size(); ++i) {
    const WindowNode& a = nodes[i];
    const WindowNode& b = rule[i];
    FUZZ_CHECK(a.window == b.window && a.label == b.label && a.level == b.level &&
                   a.parent == b.parent,
               m + " node " + std::to_string(i) + ": " + NodeText(a) + " / rule " + NodeText(b));
  }

  // The subtree ends, children and paths agree with the parent links.
  for (int i = 0; i < tree.Count(); ++i) {
    int end = i + 1;
    while (end < tree.Count() && tree[end].level > tree[i].level) ++end;
    FUZZ_CHECK(tree[i].end == end, m + " end of node " + std::to_string(i));
    std::vector<int> children;
    for (int c = i + 1; c < end; ++c)
      if (tree[c].parent == i) children.push_back(c);
    FUZZ_CHECK(tree.Children(i) == children, m + " children of node " + std::to_string(i));
    const std::vector<int> path = tree.Path(i);
    FUZZ_CHECK(!path.empty() && path.front() == 0 && path.back() == i &&
                   static_cast<int>(path.size()) == tree[i].level + 1,
               m + " path of node " + std::to_string(i));
    FUZZ_CHECK(ParentTreeNode(tree, i) == (i == 0 ? 0 : tree[i].parent));
  }
  FUZZ_CHECK(tree.Path(tree.Count()).empty() && tree.Children(-1).empty());

  // A handle search finds the first node of each window, and no node of one
  // that is not in the tree.
  for (Hwnd w : windows) {
    int first = -1;
    for (int i = 0; i < tree.Count() && first < 0; ++i)
      if (tree[i].window == w) first = i;
    FUZZ_CHECK(FindWindowNode(tree, w) == first);
    FindRequest request;
    request.mode = kFindByHandle;
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", w);
    request.handle = hex;
    FUZZ_CHECK(FindFirstNode(tree, d, request, AsciiUpper) == first, m + " handle search " + request.handle);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  RealisticDesktop d;
  const Decoded desk = DecodeDesktop(in, d);
  for (bool full : {true, false}) {
    d.fullDesktopEnumeration = full;
    std::map<Hwnd, long> memo;
    if (RuleTreeSize(d, d.Desktop(), 0, memo) > kMaxNodes) return 0;
    CheckTree(d, desk.windows, full ? "full enumeration" : "top-level enumeration");
    for (WinPoint p : desk.points) {
      for (bool dig : {true, false}) {
        FUZZ_CHECK(DiggerWindows(d, p, dig) == literal::Digger(d, p, dig),
                   "Digger at " + std::to_string(p.x) + "," + std::to_string(p.y));
      }
    }
  }
  return 0;
}
