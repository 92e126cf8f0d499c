#pragma once
// The window tree as a model: every node of the Tree page in absolute order
// (depth first, parents before children, siblings in display order). The tree
// control shows a node's children only once they are needed, and the searches
// run over this model rather than over the control.
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

// Labels are read into buffers of 1025 characters: at most 1024 of each part.
constexpr size_t kLabelPartMax = 1024;

struct WindowNode {
  Hwnd window = 0;
  std::string label;  // "\"text\" (class)" as the window was when the tree was built
  int level = 0;      // 0 for the root, 1 for top-level windows
  int parent = -1;    // index of the parent node; -1 for the root
  int end = 0;        // one past the last node of this node's subtree
};

class WindowTree {
 public:
  WindowTree() = default;
  explicit WindowTree(std::vector<WindowNode> nodes) : m_nodes(std::move(nodes)) {}

  const std::vector<WindowNode>& Nodes() const { return m_nodes; }
  int Count() const { return static_cast<int>(m_nodes.size()); }
  bool Empty() const { return m_nodes.empty(); }
  bool IsNode(int node) const { return node >= 0 && node < Count(); }
  const WindowNode& operator[](int node) const { return m_nodes[node]; }

  bool HasChildren(int node) const { return IsNode(node) && m_nodes[node].end > node + 1; }
  // The children of a node in display order (first child first).
  std::vector<int> Children(int node) const;
  // The nodes from the root down to `node`, both included: the ancestors a
  // selection has to expand. Empty for no node.
  std::vector<int> Path(int node) const;

 private:
  std::vector<WindowNode> m_nodes;
};

// "\"%s\" (%s)" of the text and class name, each cut as a 1025-byte buffer cuts it.
std::string WindowLabel(const std::string& text, const std::string& className);

// The desktop window at the root and below it every window that joins a node:
// the windows enumerated under the node's window whose GetParent is that window
// (0 for the root) or whose style lacks WS_CHILD. A joining window is inserted
// as the node's first child, so siblings show in the reverse of the
// enumeration's order, bottom of the z-order first.
WindowTree BuildWindowTree(const WindowSystem& ws);

// The first node in absolute order that stands for `window`, the root included;
// -1 when there is none.
int FindWindowNode(const WindowTree& tree, Hwnd window);

// The Parent command: the node's parent when the node exists and is below the
// root; otherwise `node` itself (nothing to walk to).
int ParentTreeNode(const WindowTree& tree, int node);
// "Pa&rent" is enabled when a node is selected and it is below the root; a click
// in the tree also requires that probing is off.
bool ParentTreeEnabled(const WindowTree& tree, int selected);
