#include <gtest/gtest.h>

#include "relations/FindWin.h"
#include "relations_desktops.h"

namespace {

Hwnd Parse(const std::string& text) {
  Hwnd h = 0xDEADBEEF;
  return ParseHandle(text, h) ? h : 0xDEADBEEF;
}

bool Refused(const std::string& text) {
  Hwnd h = 0;
  return !ParseHandle(text, h);
}

// Desktop class "#32769"; below it, from the top: Notepad (Edit), Other (MyEditor), Last.
struct RelationsFindTree : ::testing::Test {
  RealisticDesktop d;
  WindowTree tree;
  Hwnd notepad = 0, edit = 0, editor = 0, last = 0;
  void SetUp() override {
    FakeWindow w;
    w.text = "Last";
    w.className = "Static";
    last = d.Add(w);
    w.text = "Other Notes";
    w.className = "MyEditor";
    editor = d.Add(w);
    w.text = "Untitled - Notepad";
    w.className = "Notepad";
    notepad = d.Add(w);
    w.child = true;
    w.parent = notepad;
    w.text = "some TEXT";
    w.className = "Edit";
    edit = d.Add(w);
    tree = BuildWindowTree(d);
  }
  int Node(Hwnd w) { return FindWindowNode(tree, w); }
  int Next(int from, bool back, const std::string& text, const std::string& cls) {
    return FindNextNode(tree, d, from, back, AsciiUpper(text), AsciiUpper(cls), AsciiUpper);
  }
};

}  // namespace

TEST(RelationsFind, HandleSyntaxAcceptsDecimalAndDollarHex) {
  EXPECT_EQ(Parse("131104"), 0x20020u);
  EXPECT_EQ(Parse("$20020"), 0x20020u);
  EXPECT_EQ(Parse("$0002002a"), 0x2002Au);
  EXPECT_EQ(Parse("  +$aBc"), 0xABCu);
  EXPECT_EQ(Parse("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(Parse("$FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(Parse("$80000000"), 0x80000000u);
  EXPECT_EQ(Parse("-2147483648"), 0x80000000u);
  EXPECT_EQ(Parse("2147483647"), 0x7FFFFFFFu);
  EXPECT_EQ(Parse("000000000012"), 12u);
  EXPECT_EQ(Parse("-$10"), 0xFFFFFFF0u);

  for (const char* bad : {"", " ", "-", "$", "ABC", "20020A", "$123456789", "2147483648", "-2147483649",
                          "12 ", "1 2", "0x10", "$-1", "+-1", "99999999999999999999", "\t5", "$G"}) {
    EXPECT_TRUE(Refused(bad)) << bad;
  }
  EXPECT_EQ(InvalidHandleText("ABC"), "'ABC' is not a valid integer value");
}

TEST(RelationsFind, DialogAcceptsHexKeysAndNeedsSomethingToSearchFor) {
  for (char c : std::string("\b$0123456789abcdefABCDEF")) EXPECT_TRUE(HandleKeyAccepted(c)) << c;
  for (char c : std::string("gGxX-+ .\t\r")) EXPECT_FALSE(HandleKeyAccepted(c)) << c;

  EXPECT_FALSE(FindOkEnabled(kFindByText, "", "", "123"));
  EXPECT_TRUE(FindOkEnabled(kFindByText, "", "Edit", ""));
  EXPECT_TRUE(FindOkEnabled(kFindByText, "a", "", ""));
  EXPECT_FALSE(FindOkEnabled(kFindByHandle, "a", "b", ""));
  EXPECT_TRUE(FindOkEnabled(kFindByHandle, "", "", "$1"));
}

TEST_F(RelationsFindTree, MatchesCurrentTextAndClassAsUpperCaseSubstrings) {
  EXPECT_TRUE(NodeMatches(d, notepad, "NOTEPAD", "", AsciiUpper));
  EXPECT_TRUE(NodeMatches(d, notepad, "", "", AsciiUpper));
  EXPECT_TRUE(NodeMatches(d, edit, "E TE", "EDI", AsciiUpper));
  EXPECT_FALSE(NodeMatches(d, edit, "SOME", "NOTEPAD", AsciiUpper));  // both must hold
  EXPECT_FALSE(NodeMatches(d, edit, "*", "", AsciiUpper));             // no wildcards
  EXPECT_FALSE(NodeMatches(d, 0x1234, "X", "", AsciiUpper));

  // A lower-case class search finds every class name built around it, in absolute order.
  int found = FindFirstNode(tree, d, {kFindByText, "", "edit", ""}, AsciiUpper);
  EXPECT_EQ(found, Node(editor));
  EXPECT_EQ(Next(found, false, "", "edit"), Node(edit));

  // The search reads the window as it is now, not its label.
  d[last].text = "Renamed";
  EXPECT_EQ(FindFirstNode(tree, d, {kFindByText, "renamed", "", ""}, AsciiUpper), Node(last));
  EXPECT_EQ(tree[Node(last)].label, "\"Last\" (Static)");
}

TEST_F(RelationsFindTree, NextAndPreviousDoNotWrapAndPreviousReachesTheRoot) {
  // Absolute order: root, Last, Other Notes, Notepad, its edit.
  ASSERT_EQ(tree.Count(), 5);
  EXPECT_EQ(Next(0, false, "", ""), 1);
  EXPECT_EQ(Next(Node(edit), false, "", ""), -1);  // no wrap to the top
  EXPECT_EQ(Next(Node(editor), true, "o", ""), -1);
  EXPECT_EQ(Next(Node(edit), true, "o", ""), Node(notepad));

  // The first search never finds the desktop; Previous from the first node tests it.
  EXPECT_EQ(FindFirstNode(tree, d, {kFindByText, "", "3276", ""}, AsciiUpper), -1);
  EXPECT_EQ(Next(1, true, "", "3276"), 0);
  EXPECT_EQ(Next(1, true, "", ""), 0);
}

TEST_F(RelationsFindTree, HandleSearchFindsTheSameNodeFromHexAndDecimal) {
  char hex[16], dec[16];
  std::snprintf(hex, sizeof hex, "$%x", edit);
  std::snprintf(dec, sizeof dec, "%u", edit);
  EXPECT_EQ(FindFirstNode(tree, d, {kFindByHandle, "", "", hex}, AsciiUpper), Node(edit));
  EXPECT_EQ(FindFirstNode(tree, d, {kFindByHandle, "", "", dec}, AsciiUpper), Node(edit));
  std::snprintf(dec, sizeof dec, "%u", FakeDesktop::kDesktop);
  EXPECT_EQ(FindFirstNode(tree, d, {kFindByHandle, "", "", dec}, AsciiUpper), 0);  // the root counts here
  EXPECT_EQ(FindFirstNode(tree, d, {kFindByHandle, "", "", "$1"}, AsciiUpper), -1);
  EXPECT_EQ(FindFirstNode(tree, d, {kFindByHandle, "", "", "20020A"}, AsciiUpper), -1);
}

TEST_F(RelationsFindTree, WithoutSelectionNextStartsAtTheTopAndPreviousAtTheBottom) {
  EXPECT_EQ(SearchStart(tree, 2, false), 2);
  EXPECT_EQ(SearchStart(tree, -1, false), 0);
  EXPECT_EQ(SearchStart(tree, -1, true), tree.Count());
  EXPECT_EQ(FindAgain(tree, d, -1, false, "o", "", AsciiUpper), Node(editor));
  EXPECT_EQ(FindAgain(tree, d, -1, true, "o", "", AsciiUpper), Node(edit));
  EXPECT_EQ(FindAgain(tree, d, Node(notepad), true, "O", "", AsciiUpper), Node(editor));
  EXPECT_EQ(FindAgain(WindowTree(), d, -1, true, "", "", AsciiUpper), -1);
}
