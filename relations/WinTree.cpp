#include "relations/WinTree.h"

#include <algorithm>
#include <unordered_map>

#include "platform/Utf8.h"
#include "reading/WindowFacts.h"
#include "reading/WindowWalk.h"

namespace {

// What "%s" prints of a text read into a buffer of 1025 characters; a cut
// never splits one.
std::string LabelPart(const std::string& s) {
  size_t n = std::min(s.find('\0'), s.size());
  return n <= kLabelPartMax ? s.substr(0, n) : Utf8Prefix(s.substr(0, n), kLabelPartMax);
}

class TreeBuilder {
 public:
  explicit TreeBuilder(const WindowSystem& ws) : m_ws(ws), m_walk(ws) {}

  std::vector<WindowNode> Build() {
    Hwnd desktop = m_ws.Desktop();
    m_nodes.push_back({desktop, Label(desktop), 0, -1, 0});
    // The root compares GetParent with 0 rather than with the desktop, so a
    // WS_CHILD window whose parent is the desktop itself never joins.
    PushJoining(m_walk.DesktopWindows(), 0, 0);
    while (!m_pending.empty()) {
      Pending p = m_pending.back();
      m_pending.pop_back();
      int index = static_cast<int>(m_nodes.size());
      m_nodes.push_back({p.window, Label(p.window), p.level, p.parent, 0});
      PushJoining(m_walk.Descendants(p.window), p.window, index);
    }
    // Subtrees are contiguous in absolute order; children end inside their parent.
    for (size_t i = 0; i < m_nodes.size(); ++i) m_nodes[i].end = static_cast<int>(i) + 1;
    for (size_t i = m_nodes.size(); i-- > 1;) {
      WindowNode& parent = m_nodes[m_nodes[i].parent];
      parent.end = std::max(parent.end, m_nodes[i].end);
    }
    return std::move(m_nodes);
  }

 private:
  struct Pending {
    Hwnd window;
    int level;
    int parent;
  };

  // Joining windows go on the stack in enumeration order, so the last one to
  // join comes off first: it is the first child, as insertion at the front
  // makes it.
  void PushJoining(WindowSpan enumerated, Hwnd parentValue, int node) {
    int level = m_nodes[node].level + 1;
    for (Hwnd w : enumerated) {
      if (m_walk.Parent(w) == parentValue || !m_walk.HasChildStyle(w)) {
        m_pending.push_back({w, level, node});
      }
    }
  }

  // A window that joins at several levels gets the same label at each.
  const std::string& Label(Hwnd w) {
    auto it = m_labels.find(w);
    if (it == m_labels.end()) {
      const WindowFacts f = ReadWindowFacts(m_ws, w, Facts::Title | Facts::ClassName);
      it = m_labels.emplace(w, WindowLabel(f.title, f.className)).first;
    }
    return it->second;
  }

  const WindowSystem& m_ws;
  WindowWalk m_walk;
  std::vector<WindowNode> m_nodes;
  std::vector<Pending> m_pending;
  std::unordered_map<Hwnd, std::string> m_labels;
};

}  // namespace

std::string WindowLabel(const std::string& text, const std::string& className) {
  return "\"" + LabelPart(text) + "\" (" + LabelPart(className) + ")";
}

std::vector<int> WindowTree::Children(int node) const {
  std::vector<int> children;
  if (!IsNode(node)) return children;
  for (int c = node + 1; c < m_nodes[node].end; c = m_nodes[c].end) children.push_back(c);
  return children;
}

std::vector<int> WindowTree::Path(int node) const {
  std::vector<int> path;
  for (int n = IsNode(node) ? node : -1; n >= 0; n = m_nodes[n].parent) path.push_back(n);
  std::reverse(path.begin(), path.end());
  return path;
}

WindowTree BuildWindowTree(const WindowSystem& ws) { return WindowTree(TreeBuilder(ws).Build()); }

int FindWindowNode(const WindowTree& tree, Hwnd window) {
  const std::vector<WindowNode>& nodes = tree.Nodes();
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].window == window) return static_cast<int>(i);
  }
  return -1;
}

int ParentTreeNode(const WindowTree& tree, int node) {
  return ParentTreeEnabled(tree, node) ? tree[node].parent : node;
}

bool ParentTreeEnabled(const WindowTree& tree, int selected) {
  return tree.IsNode(selected) && tree[selected].level > 0;
}
