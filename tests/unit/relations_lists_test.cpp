#include <gtest/gtest.h>

#include "reading/WindowLists.h"
#include "relations_desktops.h"

namespace {

FakeWindow Top(WinRect r, Hwnd owner = 0) {
  FakeWindow w;
  w.rect = r;
  w.owner = owner;
  return w;
}

FakeWindow Child(Hwnd parent, WinRect r) {
  FakeWindow w;
  w.child = true;
  w.parent = parent;
  w.rect = r;
  return w;
}

const WinRect kWide{0, 0, 400, 400};

}  // namespace

TEST(RelationsLists, ParentsRunThroughParentsThenOwners) {
  FakeDesktop d;
  Hwnd owner2 = d.Add(Top(kWide));
  Hwnd owner1 = d.Add(Top(kWide, owner2));
  Hwnd frame = d.Add(Top(kWide, owner1));
  Hwnd panel = d.Add(Child(frame, kWide));
  Hwnd button = d.Add(Child(panel, kWide));

  EXPECT_TRUE(ParentWindows(d, owner2).empty());
  EXPECT_EQ(ParentWindows(d, frame), (std::vector<Hwnd>{owner1, owner2}));
  EXPECT_EQ(ParentWindows(d, button), (std::vector<Hwnd>{panel, frame, owner1, owner2}));
  EXPECT_TRUE(ParentWindows(d, 0x9999).empty());
  std::vector<WindowRow> rows = ParentRows(d, button, [](uint32_t v) { return std::to_string(v); });
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3].number, "004");
  EXPECT_EQ(rows[3].handle, owner2);
  EXPECT_EQ(rows[3].handleText, std::to_string(owner2));

  // Owners set to form a loop end the list instead of filling it forever.
  d[owner2].owner = frame;
  EXPECT_EQ(ParentWindows(d, button), (std::vector<Hwnd>{panel, frame, owner1, owner2}));
  EXPECT_EQ(ParentWindows(d, frame), (std::vector<Hwnd>{owner1, owner2}));
}

TEST(RelationsLists, ChildrenDirectOrAllInEnumerationOrder) {
  FakeDesktop d;
  Hwnd frame = d.Add(Top(kWide));
  Hwnd owned = d.Add(Top(kWide, frame));  // owned, not a child: never listed
  Hwnd b = d.Add(Child(frame, kWide));
  Hwnd b1 = d.Add(Child(b, kWide));
  Hwnd a = d.Add(Child(frame, kWide));  // added last: top of the z-order
  Hwnd a1 = d.Add(Child(a, kWide));
  Hwnd a11 = d.Add(Child(a1, kWide));

  EXPECT_EQ(ChildWindowList(d, frame, false), (std::vector<Hwnd>{a, b}));
  EXPECT_EQ(ChildWindowList(d, frame, true), (std::vector<Hwnd>{a, a1, a11, b, b1}));
  EXPECT_EQ(ChildWindowList(d, a, false), (std::vector<Hwnd>{a1}));
  EXPECT_TRUE(ChildWindowList(d, a11, true).empty());
  EXPECT_TRUE(ChildWindowList(d, owned, false).empty());
}

TEST(RelationsLists, DiggerListsHitDescendantsDeepestFirstThenTheTopLevelWindow) {
  FakeDesktop d;
  Hwnd back = d.Add(Top({0, 0, 300, 300}));
  Hwnd missed = d.Add(Top({200, 200, 300, 300}));
  Hwnd front = d.Add(Top({0, 0, 200, 200}));
  Hwnd panel = d.Add(Child(front, {0, 0, 150, 150}));
  Hwnd edit = d.Add(Child(panel, {10, 10, 120, 120}));
  Hwnd label = d.Add(Child(panel, {0, 0, 20, 20}));  // not under the point
  // A child reaching outside its parent is hit where its own rectangle lies.
  Hwnd wide = d.Add(Child(panel, {100, 0, 1000, 1000}));
  FakeWindow hidden = Child(front, {0, 0, 200, 200});
  hidden.visible = false;
  Hwnd hiddenPanel = d.Add(hidden);
  d.Add(Child(hiddenPanel, {0, 0, 200, 200}));  // visible, under a hidden parent
  FakeWindow hiddenTop = Top({0, 0, 999, 999});
  hiddenTop.visible = false;
  d.Add(hiddenTop);
  (void)missed;
  (void)label;

  WinPoint p{100, 100};
  EXPECT_EQ(DiggerWindows(d, p, true), (std::vector<Hwnd>{wide, edit, panel, front, back}));
  EXPECT_EQ(DiggerWindows(d, p, false), (std::vector<Hwnd>{front, back}));
  // Right and bottom edges lie outside, left and top inside.
  EXPECT_EQ(DiggerWindows(d, {200, 200}, false), (std::vector<Hwnd>{missed, back}));
  EXPECT_EQ(DiggerWindows(d, {300, 0}, true), (std::vector<Hwnd>{}));
  // Children are found only inside a top-level window that is hit itself.
  EXPECT_TRUE(DiggerWindows(d, {250, 500}, true).empty());
}

TEST(RelationsLists, DiggerAgreesWithTheRuleOnRandomDesktops) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    RealisticDesktop d;
    BuildRandomForest(d, seed, 400);
    for (WinPoint p : {WinPoint{450, 450}, WinPoint{100, 600}, WinPoint{900, 50}}) {
      for (bool dig : {true, false}) {
        EXPECT_EQ(DiggerWindows(d, p, dig), literal::Digger(d, p, dig)) << "seed " << seed;
      }
    }
  }
}
