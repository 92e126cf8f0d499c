#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "inspect/Format.h"
#include "relations/WindowRows.h"

namespace {

HandleFormatter Formatter(int integerFormat) {
  DisplayOptions opts;
  opts.integerFormat = integerFormat;
  return [opts](uint32_t v) { return FormatInteger(v, opts); };
}

WindowRow Row(int number, uint32_t handle, const std::string& cls, const std::string& text,
              int format = kFormatHexadecimal) {
  return {RowNumberText(number), Formatter(format)(handle), cls, text, handle};
}

std::vector<std::string> Numbers(const std::vector<WindowRow>& rows) {
  std::vector<std::string> out;
  for (const WindowRow& r : rows) out.push_back(r.number);
  return out;
}

}  // namespace

TEST(RelationsRows, FillsTheFourCellsAndBindsTheHandle) {
  FakeDesktop d;
  FakeWindow w;
  w.className = "Edit";
  w.text = "typed text";
  w.sentText = "\x01raw";  // WM_GETTEXT answer, shown as it comes
  Hwnd edit = d.Add(w);
  w.hung = true;
  Hwnd hung = d.Add(w);

  std::vector<WindowRow> rows = MakeWindowRows(d, {edit, hung, 0x7777}, Formatter(kFormatHexadecimal));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].number, "001");
  EXPECT_EQ(rows[0].handleText, "00020020");
  EXPECT_EQ(rows[0].handle, edit);
  EXPECT_EQ(rows[0].className, "Edit");
  EXPECT_EQ(rows[0].text, "\x01raw");
  // A window that does not answer in time, or is gone, keeps its row.
  EXPECT_EQ(rows[1].number, "002");
  EXPECT_EQ(rows[1].text, "");
  EXPECT_EQ(rows[2].className, "");
  EXPECT_EQ(rows[2].text, "");
  EXPECT_EQ(rows[2].handle, 0x7777u);

  EXPECT_EQ(MakeWindowRow(d, edit, 1, Formatter(kFormatDecimal)).handleText, "131104");
  EXPECT_EQ(RowNumberText(42), "042");
  EXPECT_EQ(RowNumberText(1000), "1000");
}

TEST(RelationsRows, TextAsLongAsTheBufferIsCutAtItsEnd) {
  FakeDesktop d;
  FakeWindow w;
  w.text = std::string(20000, 'x');
  WindowRow row = MakeWindowRow(d, d.Add(w), 1, Formatter(kFormatHexadecimal));
  EXPECT_EQ(row.text.size(), kTextBufferSize - 1);
}

TEST(RelationsRows, EachSortColumnHasItsSequenceOfCells) {
  // Rows that tie on the sort column fall back to the next cell of its sequence.
  WindowRow a = Row(1, 0x20, "Button", "Same");
  WindowRow b = Row(2, 0x10, "Button", "Same");
  SortState s;
  EXPECT_LT(lsvCompare(a, b, s, OrdinalCompare), 0);  // "#" first
  s.column = kColumnHandle;
  EXPECT_GT(lsvCompare(a, b, s, OrdinalCompare), 0);
  s.column = kColumnClass;  // class ties, then "#"
  EXPECT_LT(lsvCompare(a, b, s, OrdinalCompare), 0);
  s.column = kColumnText;
  EXPECT_LT(lsvCompare(a, b, s, OrdinalCompare), 0);
  s.inverted = true;
  EXPECT_GT(lsvCompare(a, b, s, OrdinalCompare), 0);
  EXPECT_EQ(lsvCompare(a, a, s, OrdinalCompare), 0);

  // Only the sign of the comparer counts, also for a comparer's extreme values.
  CellCompare extreme = [](const std::string& x, const std::string& y) { return x < y ? INT32_MIN : x == y ? 0 : 7; };
  EXPECT_EQ(lsvCompare(a, b, s, extreme), 1);

  const int expected[4][4] = {{0, 1, 2, 3}, {1, 0, 2, 3}, {2, 0, 1, 3}, {3, 0, 1, 2}};
  for (int c = 0; c < 4; ++c) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(CompareSequence(c)[i], expected[c][i]);
  }
  EXPECT_EQ(CompareSequence(9), CompareSequence(0));
  EXPECT_EQ(CompareSequence(-1), CompareSequence(0));
}

TEST(RelationsRows, CellsCompareAsTextNotAsNumbers) {
  std::vector<WindowRow> rows;
  for (int n : {101, 1000, 100, 99}) rows.push_back(Row(n, 0, "", ""));
  SortRows(rows, SortState{}, OrdinalCompare);
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"099", "100", "1000", "101"}));

  // Decimal handles sort as text; fixed-width hexadecimal sorts as numbers do.
  std::vector<WindowRow> dec{Row(1, 999, "", "", kFormatDecimal), Row(2, 1000, "", "", kFormatDecimal)};
  SortState byHandle{kColumnHandle, kColumnHandle, false};
  SortRows(dec, byHandle, OrdinalCompare);
  EXPECT_EQ(dec[0].handleText, "1000");
  std::vector<WindowRow> hex{Row(1, 999, "", ""), Row(2, 1000, "", "")};
  EXPECT_EQ(SortedOrder(hex, byHandle, OrdinalCompare), (std::vector<int>{0, 1}));
  byHandle.inverted = true;
  EXPECT_EQ(SortedOrder(hex, byHandle, OrdinalCompare), (std::vector<int>{1, 0}));
}

TEST(RelationsRows, HeaderClicksToggleTheSameColumnAndResetForAnother) {
  // The stored column counts as the last one clicked: the first click on it reverses.
  SortState s = SortStateFromSettings(2, false);
  EXPECT_EQ(s.column, 2);
  EXPECT_EQ(s.lastColumn, 2);
  s = ColumnClick(s, 2);
  EXPECT_TRUE(s.inverted);
  s = ColumnClick(s, 2);
  EXPECT_FALSE(s.inverted);
  s = ColumnClick(s, 2);
  s = ColumnClick(s, 3);  // another column: ascending, whatever the direction was
  EXPECT_EQ(s.column, 3);
  EXPECT_EQ(s.lastColumn, 3);
  EXPECT_FALSE(s.inverted);

  SortState inverted = SortStateFromSettings(0, true);
  EXPECT_TRUE(inverted.inverted);
  EXPECT_FALSE(ColumnClick(inverted, 0).inverted);

  // A stored mode that names no column sorts, and then toggles, as "#".
  for (int bad : {4, -1, 255}) {
    SortState b = SortStateFromSettings(bad, false);
    EXPECT_EQ(b.column, 0);
    EXPECT_TRUE(ColumnClick(b, 0).inverted);
  }
}
