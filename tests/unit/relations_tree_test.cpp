#include <gtest/gtest.h>

#include "relations/WinTree.h"
#include "relations_desktops.h"

namespace {

FakeWindow Win(const std::string& text, Hwnd parent = 0, bool child = false) {
  FakeWindow w;
  w.text = text;
  w.className = "Cls";
  w.parent = parent;
  w.child = child;
  return w;
}

std::vector<Hwnd> ChildWindowsOf(const WindowTree& t, int node) {
  std::vector<Hwnd> out;
  for (int c : t.Children(node)) out.push_back(t[c].window);
  return out;
}

void ExpectSameNodes(const std::vector<WindowNode>& model, const std::vector<WindowNode>& rule,
                     const std::string& what) {
  ASSERT_EQ(model.size(), rule.size()) << what;
  for (size_t i = 0; i < rule.size(); ++i) {
    ASSERT_EQ(model[i].window, rule[i].window) << what << " node " << i;
    ASSERT_EQ(model[i].label, rule[i].label) << what << " node " << i;
    ASSERT_EQ(model[i].level, rule[i].level) << what << " node " << i;
    ASSERT_EQ(model[i].parent, rule[i].parent) << what << " node " << i;
  }
}

}  // namespace

TEST(RelationsTree, SiblingsShowBottomOfTheZOrderFirstAndOwnedWindowsAtLevelOne) {
  RealisticDesktop d;
  Hwnd frame = d.Add(Win("Frame"));
  // Each new window goes on top, so the enumeration reports A, B, C.
  Hwnd c = d.Add(Win("C", frame, true));
  Hwnd b = d.Add(Win("B", frame, true));
  Hwnd a = d.Add(Win("A", frame, true));
  Hwnd grandchild = d.Add(Win("A1", a, true));
  FakeWindow ownedWin = Win("Owned");
  ownedWin.owner = frame;
  Hwnd owned = d.Add(ownedWin);
  FakeWindow desktopChild = Win("Desktop child", FakeDesktop::kDesktop);
  desktopChild.style = kChildStyle;
  Hwnd onDesktop = d.Add(desktopChild);
  d.Add(Win("Under it", onDesktop, true));

  for (bool full : {true, false}) {
    d.fullDesktopEnumeration = full;
    WindowTree t = BuildWindowTree(d);
    ASSERT_EQ(t.Count(), 7);
    EXPECT_EQ(t[0].window, FakeDesktop::kDesktop);
    EXPECT_EQ(t[0].level, 0);
    EXPECT_EQ(ChildWindowsOf(t, 0), (std::vector<Hwnd>{frame, owned}));
    int frameNode = FindWindowNode(t, frame);
    EXPECT_EQ(ChildWindowsOf(t, frameNode), (std::vector<Hwnd>{c, b, a}));
    int grandNode = FindWindowNode(t, grandchild);
    EXPECT_EQ(t[grandNode].level, 3);
    EXPECT_EQ(t[FindWindowNode(t, owned)].level, 1);
    // A WS_CHILD window whose parent is the desktop has no node, nor its children.
    EXPECT_EQ(FindWindowNode(t, onDesktop), -1);
    EXPECT_EQ(t[FindWindowNode(t, b)].label, "\"B\" (Cls)");

    EXPECT_EQ(t.Path(grandNode), (std::vector<int>{0, frameNode, FindWindowNode(t, a), grandNode}));
    EXPECT_TRUE(t.HasChildren(frameNode));
    EXPECT_FALSE(t.HasChildren(grandNode));
    EXPECT_TRUE(t.Path(-1).empty());
  }
}

TEST(RelationsTree, AWindowWithoutChildStyleJoinsUnderEveryEnumeratingAncestor) {
  RealisticDesktop d;
  Hwnd top = d.Add(Win("Top"));
  Hwnd panel = d.Add(Win("Panel", top, true));
  Hwnd moved = d.Add(Win("Moved", panel, true));
  d.StripChildStyle(moved);
  Hwnd inner = d.Add(Win("Inner", moved, true));

  WindowTree t = BuildWindowTree(d);
  std::vector<int> levels;
  for (const WindowNode& n : t.Nodes()) {
    if (n.window == moved) levels.push_back(n.level);
  }
  // Under the root (the desktop's enumeration reaches it), under Top and under Panel.
  EXPECT_EQ(levels, (std::vector<int>{1, 2, 3}));
  int count = 0;
  for (const WindowNode& n : t.Nodes()) count += n.window == inner;
  EXPECT_EQ(count, 3);  // each copy carries its own subtree
  EXPECT_EQ(t[FindWindowNode(t, moved)].level, 1);  // the first in absolute order
  ExpectSameNodes(t.Nodes(), literal::BuildTree(d), "moved window");
}

TEST(RelationsTree, LabelsHoldAtMost1024CharactersOfEachPart) {
  RealisticDesktop d;
  FakeWindow w = Win(std::string(3000, 't'));
  w.className = std::string(2000, 'c');
  Hwnd h = d.Add(w);
  WindowTree t = BuildWindowTree(d);
  EXPECT_EQ(t[FindWindowNode(t, h)].label,
            "\"" + std::string(1024, 't') + "\" (" + std::string(1024, 'c') + ")");
  EXPECT_EQ(WindowLabel("", ""), "\"\" ()");
  EXPECT_EQ(WindowLabel(std::string("ab\0cd", 5), "X"), "\"ab\" (X)");
}

TEST(RelationsTree, LabelsCountCharactersNotBytes) {
  std::string cyrillic;
  for (int i = 0; i < 1500; ++i) cyrillic += "\xD0\x94";  // Д
  const std::string label = WindowLabel(cyrillic, "X");
  EXPECT_EQ(label, "\"" + cyrillic.substr(0, 2048) + "\" (X)");
}

TEST(RelationsTree, ParentCommandWalksUpToTheRoot) {
  RealisticDesktop d;
  Hwnd top = d.Add(Win("Top"));
  Hwnd kid = d.Add(Win("Kid", top, true));
  WindowTree t = BuildWindowTree(d);
  int kidNode = FindWindowNode(t, kid);
  int topNode = FindWindowNode(t, top);
  EXPECT_EQ(ParentTreeNode(t, kidNode), topNode);
  EXPECT_EQ(ParentTreeNode(t, topNode), 0);
  EXPECT_FALSE(ParentTreeEnabled(t, 0));  // on the root the command does nothing
  EXPECT_EQ(ParentTreeNode(t, 0), 0);
  EXPECT_TRUE(ParentTreeEnabled(t, topNode));
  EXPECT_FALSE(ParentTreeEnabled(t, -1));
  EXPECT_FALSE(ParentTreeEnabled(t, t.Count()));
  EXPECT_FALSE(ParentTreeEnabled(WindowTree(), 0));
  EXPECT_EQ(FindWindowNode(t, 0x123456), -1);
}

TEST(RelationsTree, ModelEqualsTheRuleOnRandomDesktops) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    RealisticDesktop d;
    BuildRandomForest(d, seed, 300 + static_cast<int>(seed) * 7);
    for (bool full : {true, false}) {
      d.fullDesktopEnumeration = full;
      std::vector<WindowNode> rule = literal::BuildTree(d);
      WindowTree model = BuildWindowTree(d);
      ExpectSameNodes(model.Nodes(), rule, "seed " + std::to_string(seed) + (full ? " full" : " top"));
      // Subtree ends agree with the parents: every node lies inside each ancestor.
      for (int i = 1; i < model.Count(); ++i) {
        int p = model[i].parent;
        ASSERT_TRUE(p < i && model[i].end <= model[p].end);
      }
    }
  }
}

TEST(RelationsTree, BuildingAsksEachWindowOnceAndEnumeratesOnce) {
  RealisticDesktop d;
  BuildRandomForest(d, 7, 500, /*strip=*/false);
  d.enumerations = d.queries = 0;
  literal::BuildTree(d);
  int ruleEnumerations = d.enumerations, ruleQueries = d.queries;
  d.enumerations = d.queries = 0;
  BuildWindowTree(d);
  EXPECT_EQ(d.enumerations, 1);
  EXPECT_LE(d.queries, 2 * 500);
  EXPECT_GT(ruleEnumerations, 400);  // one per node
  EXPECT_GT(ruleQueries, 3 * d.queries) << ruleQueries << " vs " << d.queries;
}
