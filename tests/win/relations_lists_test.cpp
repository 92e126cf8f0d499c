// The Parents, Children and Digger pages over real windows: their rows, the
// options that shape them, the shared sort and the Detail command.
#include "relations_fixture.h"

#include <algorithm>

#include "app/ControlIds.h"
#include "relations/RelationControls.h"
#include "relations/RelationPages.h"
#include "support/Wait.h"

namespace {

class RelationsListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int list = 0; list < kWindowListCount; ++list) page.Page(list).Create(frame.Sheet(kPageParents + list));
    frame.handlers.push_back(&page);
  }
  // The list shows the rows of `target` as the host reads them.
  void Fill(int list, Hwnd target) {
    host.target = target;
    page.ShowList(list);
  }
  std::vector<Hwnd> Handles(int list) {
    std::vector<Hwnd> out;
    for (const WindowRow& r : page.DisplayedRows(list)) out.push_back(r.handle);
    return out;
  }
  // The cell as the list control shows it.
  std::string Cell(int list, int position, int column) {
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(page.List(list), LVM_GETITEMTEXTA, position, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  void ClickHeader(int list, int column) {
    NMLISTVIEW nm = {};
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    frame.Notify(page.List(list), nm.hdr);
  }
  void DoubleClick(int list) {
    NMITEMACTIVATE nm = {};
    nm.hdr.code = NM_DBLCLK;
    nm.iItem = -1;
    frame.Notify(page.List(list), nm.hdr);
  }

  StandInHost host;
  RelationsFrame frame;
  WindowListsPage page{host};
  WindowFamily f;
  Win32WindowSystem ws;
};

TEST_F(RelationsListsTest, ParentsRunFromNearestToOutermostOwner) {
  Fill(kListParents, f.H(f.g));
  EXPECT_EQ(Handles(kListParents), (std::vector<Hwnd>{f.H(f.b), f.H(f.top)}));
  EXPECT_EQ(Cell(kListParents, 0, 0), "001");
  EXPECT_EQ(Cell(kListParents, 1, 0), "002");
  EXPECT_EQ(Cell(kListParents, 0, 1), HexHandle(f.b));
  EXPECT_EQ(Cell(kListParents, 0, 2), "RelAlpha");
  EXPECT_EQ(Cell(kListParents, 0, 3), "Rel child B");

  Fill(kListParents, f.H(f.p2));  // owners of a pop-up
  EXPECT_EQ(Handles(kListParents), (std::vector<Hwnd>{f.H(f.p), f.H(f.top)}));
  Fill(kListParents, f.H(f.top));
  EXPECT_TRUE(page.Rows(kListParents).empty());
  EXPECT_EQ(SendMessageA(page.List(kListParents), LVM_GETITEMCOUNT, 0, 0), 0);

  host.options.integerFormat = kFormatDecimal;
  Fill(kListParents, f.H(f.g));
  EXPECT_EQ(Cell(kListParents, 0, 1), std::to_string(static_cast<int32_t>(f.H(f.b))));
}

TEST_F(RelationsListsTest, ChildrenDirectOrAllInEnumerationOrder) {
  std::vector<Hwnd> all = ws.ChildWindows(f.H(f.top));
  ASSERT_EQ(all.size(), 4u);
  std::vector<Hwnd> direct;
  std::copy_if(all.begin(), all.end(), std::back_inserter(direct), [&](Hwnd w) { return w != f.H(f.g); });

  Fill(kListChildren, f.H(f.top));
  EXPECT_EQ(Handles(kListChildren), direct);
  host.showSubchildren = true;
  Fill(kListChildren, f.H(f.top));
  EXPECT_EQ(Handles(kListChildren), all);
  auto atG = std::find(all.begin(), all.end(), f.H(f.g));
  ASSERT_NE(atG, all.begin());
  EXPECT_EQ(*(atG - 1), f.H(f.b));  // a child is followed by its own descendants

  Fill(kListChildren, f.H(f.c));
  EXPECT_TRUE(Handles(kListChildren).empty());
}

TEST_F(RelationsListsTest, DiggerListsHitDescendantsDeepestFirstThenTheTopLevelWindow) {
  std::vector<Hwnd> enumerated = ws.ChildWindows(f.H(f.top));
  bool aFirst = std::find(enumerated.begin(), enumerated.end(), f.H(f.a)) <
                std::find(enumerated.begin(), enumerated.end(), f.H(f.b));
  std::vector<Hwnd> family = aFirst ? std::vector<Hwnd>{f.H(f.a), f.H(f.g), f.H(f.b), f.H(f.top)}
                                    : std::vector<Hwnd>{f.H(f.g), f.H(f.b), f.H(f.a), f.H(f.top)};
  auto isFamily = [&](Hwnd w) {
    return std::find(f.made.begin(), f.made.end(), ToHwnd(w)) != f.made.end();
  };

  host.probePoint = WindowFamily::kDigPoint;
  page.ShowList(kListDigger);
  std::vector<Hwnd> rows = Handles(kListDigger);
  ASSERT_GE(rows.size(), family.size());
  EXPECT_EQ(std::vector<Hwnd>(rows.begin(), rows.begin() + family.size()), family);
  EXPECT_TRUE(std::none_of(rows.begin() + family.size(), rows.end(), isFamily));

  // A hidden window hides its subtree, the visible grandchild included.
  ShowWindow(f.b, SW_HIDE);
  host.probePoint = {WindowFamily::kDigPoint.x + 1, WindowFamily::kDigPoint.y};
  page.ShowList(kListDigger);
  rows = Handles(kListDigger);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0], f.H(f.a));
  EXPECT_EQ(rows[1], f.H(f.top));
  EXPECT_EQ(std::count(rows.begin(), rows.end(), f.H(f.g)), 0);

  host.digChildren = false;
  host.probePoint = WindowFamily::kDigPoint;
  page.ShowList(kListDigger);
  rows = Handles(kListDigger);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], f.H(f.top));
  for (Hwnd w : rows) EXPECT_FALSE(GetWindowLongA(ToHwnd(w), GWL_STYLE) & WS_CHILD);
}

TEST_F(RelationsListsTest, HeaderClicksSortAllThreeListsTogether) {
  Fill(kListParents, f.H(f.g));     // B (RelAlpha), top (RelFixture)
  Fill(kListChildren, f.H(f.top));  // A (RelZeta), B (RelAlpha), C (RelMid) in some z-order
  const std::vector<Hwnd> fillOrder = Handles(kListChildren);

  ClickHeader(kListChildren, kColumnClass);
  EXPECT_EQ(host.sort.column, kColumnClass);
  EXPECT_FALSE(host.sort.inverted);
  EXPECT_EQ(Handles(kListChildren), (std::vector<Hwnd>{f.H(f.b), f.H(f.c), f.H(f.a)}));
  EXPECT_EQ(Handles(kListParents), (std::vector<Hwnd>{f.H(f.b), f.H(f.top)}));

  ClickHeader(kListParents, kColumnClass);  // the same column again: descending
  EXPECT_TRUE(host.sort.inverted);
  EXPECT_EQ(Handles(kListChildren), (std::vector<Hwnd>{f.H(f.a), f.H(f.c), f.H(f.b)}));
  EXPECT_EQ(Handles(kListParents), (std::vector<Hwnd>{f.H(f.top), f.H(f.b)}));

  // A fill while descending keeps the order; a new column sorts ascending.
  Fill(kListChildren, f.H(f.top));
  EXPECT_EQ(Handles(kListChildren), (std::vector<Hwnd>{f.H(f.a), f.H(f.c), f.H(f.b)}));
  ClickHeader(kListDigger, kColumnNumber);
  EXPECT_FALSE(host.sort.inverted);
  EXPECT_EQ(Handles(kListChildren), fillOrder);
  EXPECT_EQ(Cell(kListChildren, 0, 0), "001");
}

TEST_F(RelationsListsTest, TextOrderIsTheLocaleOrderOfTheShownStrings) {
  EXPECT_LT(LocaleCompare("100", "1000"), 0);
  EXPECT_LT(LocaleCompare("1000", "101"), 0);
  EXPECT_LT(LocaleCompare("1000", "999"), 0);
  EXPECT_LT(LocaleCompare("a", "B"), 0);
  EXPECT_EQ(LocaleCompare("Same", "Same"), 0);
  EXPECT_GT(LocaleCompare("b", "a"), 0);
}

TEST_F(RelationsListsTest, DetailInspectsTheSelectedRowAndShowsTheWindowPage) {
  Fill(kListParents, f.H(f.g));
  DoubleClick(kListParents);  // nothing selected: nothing happens
  page.Page(kListParents).Detail();
  EXPECT_TRUE(host.inspected.empty());
  EXPECT_EQ(host.page, kPageParents);
  EXPECT_FALSE(page.Page(kListParents).DetailEnabled());

  page.SelectPosition(kListParents, 1);
  EXPECT_TRUE(page.Page(kListParents).DetailEnabled());
  DoubleClick(kListParents);
  ASSERT_EQ(host.inspected.size(), 1u);
  EXPECT_EQ(host.inspected[0].window, f.H(f.top));
  EXPECT_TRUE(host.inspected[0].refreshAll);
  EXPECT_EQ(host.page, kPageWindow);

  // Each page's Detail acts on its own list.
  Fill(kListChildren, f.H(f.top));
  page.SelectPosition(kListChildren, 0);
  page.Page(kListChildren).Detail();
  ASSERT_EQ(host.inspected.size(), 2u);
  EXPECT_EQ(host.inspected[1].window, page.DisplayedRows(kListChildren)[0].handle);

  NMITEMACTIVATE click = {};
  click.hdr.code = NM_CLICK;
  frame.Notify(page.List(kListDigger), click.hdr);
  EXPECT_EQ(host.detailUpdates, 1);
}

TEST_F(RelationsListsTest, ColumnWidthsStartAtTheDesignAndTakeStoredValues) {
  EXPECT_EQ(page.ColumnWidths(kListDigger), (RelationListWidths{25, 68, 104, 112}));
  page.SetColumnWidths(kListChildren, {30, 80, -5, 120});
  EXPECT_EQ(page.ColumnWidths(kListChildren), (RelationListWidths{30, 80, 0, 120}));
  EXPECT_EQ(page.ColumnWidths(kListParents), (RelationListWidths{25, 68, 104, 112}));
}

}  // namespace
