// The column formatter: the layout of the lines as a table of cases, then what
// it does to a list box (font, order, item numbers, failures).
#include <climits>
#include <string>
#include <vector>

#include "WidgetsFixture.h"
#include "widgets/clsListBox.h"

namespace widgets::testing {
namespace {

using Lines = std::vector<std::string>;

std::string Blanks(int n) { return std::string(n, ' '); }

TEST(FormatAsColumns, LaysOutTheCellsAsColumns) {
  struct Case {
    const char* what;
    Lines items;
    Lines expected;
    std::string separator = ";";
    std::string padding = "     ";
    std::vector<size_t> minimumWidths = {};
  };
  const Case cases[] = {
      {"widths 7, 15 and 4; the placeholder keeps the year column numeric",
       {"NERI;Via Roma 1;2014", "BIANCHI;Corso Italia 10;---", "VERDI;Piazza Duomo;2013"},
       {"NERI" + Blanks(8) + "Via Roma 1" + Blanks(10) + "2014",
        "BIANCHI" + Blanks(5) + "Corso Italia 10" + Blanks(6) + "---",
        "VERDI" + Blanks(7) + "Piazza Duomo" + Blanks(8) + "2013"}},
      {"amounts and placeholders are right-aligned",
       {"A;1.234,56", "B;    ---", "C;12,00"},
       {"A" + Blanks(5) + "1.234,56", "B" + Blanks(10) + "---", "C" + Blanks(8) + "12,00"}},
      {"one empty cell makes the column a text column",
       {"A;5", "B;", "C;12"},
       {"A" + Blanks(5) + "5", "B", "C" + Blanks(5) + "12"}},
      {"the same column without the empty cell is numeric",
       {"A;5", "C;12"},
       {"A" + Blanks(6) + "5", "C" + Blanks(5) + "12"}},
      {"two hyphens are text", {"X;--", "Y;3"}, {"X" + Blanks(5) + "--", "Y" + Blanks(5) + "3"}},
      {"the placeholder with blanks around it still counts",
       {"X; --- ", "Y;3"},
       {"X" + Blanks(6) + "---", "Y" + Blanks(9) + "3"}},
      {"items with fewer fields end earlier", {"AA;1;x", "B"}, {"AA" + Blanks(5) + "1" + Blanks(5) + "x", "B"}},
      {"a numeric first column starts at the left edge",
       {"5;x", "123;y"},
       {"5" + Blanks(5) + "x", "123" + Blanks(5) + "y"}},
      {"widths count characters, not bytes",
       {"Forlì;Cantù", "Roma;Bra"},
       {"Forlì" + Blanks(5) + "Cantù", "Roma" + Blanks(6) + "Bra"}},
      {"an empty item has no cells", {"", "A;B"}, {"", "A" + Blanks(5) + "B"}},
      {"a separator of two characters splits only at both",
       {"a||b;c", "dd||e"},
       {"a" + Blanks(6) + "b;c", "dd" + Blanks(5) + "e"},
       "||"},
      {"an empty separator leaves one cell", {"a;b", "c"}, {"a;b", "c"}, ""},
      {"the padding's first character fills the cells", {"a;b", "ccc;d"}, {"a|||b|", "ccc|d|"}, ";", "|"},
      {"a longer padding after every cell", {"a;b", "ccc;d"}, {"a   | b |", "ccc | d |"}, ";", " | "},
      {"no items", {}, {}},
      {"a minimum width pads a narrower column, text or numeric",
       {"AB;;1", "C;;22"},
       {"AB" + Blanks(8) + Blanks(10) + Blanks(3) + "1", "C" + Blanks(9) + Blanks(10) + Blanks(2) + "22"},
       ";",
       "     ",
       {10, 0, 4}},
      {"a wider cell wins over the minimum", {"ABCDEF;x"}, {"ABCDEF" + Blanks(5) + "x"}, ";", "     ", {3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FormatAsColumns(c.items, c.separator, c.padding, c.minimumWidths), c.expected);
  }
}

TEST(FormatAsColumns, ColumnsStartAndEndAtTheSameCharacterInEveryLine) {
  const Lines lines =
      FormatAsColumns({"NERI;Via Roma 1;2014", "BIANCHI;Corso Italia 10;---", "VERDI;Piazza Duomo;2013"}, ";", "     ");
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    ASSERT_EQ(line.size(), 36u);  // column 2 ends at character 35
    EXPECT_NE(line[35], ' ');
    EXPECT_EQ(line[11], ' ');  // column 1 starts at character 12
    EXPECT_NE(line[12], ' ');
  }
}

class Host : public forms::Form {
 public:
  forms::ListBox List1;
  Host() {
    setClientSize(6000, 4000);
    List1.create(*this, 0, 0, 6000, 4000);
  }
};

class ListBoxColumns : public WidgetsTest {
 protected:
  void add(const std::string& item, int number) {
    list.AddItem(item);
    list.setItemData(list.NewIndex(), number);
  }
  Lines items() const {
    Lines v;
    for (int i = 0; i < list.ListCount(); ++i) v.push_back(list.List(i));
    return v;
  }
  std::vector<int> numbers() const {
    std::vector<int> v;
    for (int i = 0; i < list.ListCount(); ++i) v.push_back(list.ItemData(i));
    return v;
  }

  forms::ListBox& list = application.form<Host>().List1;
  clsListBox formatter;
};

TEST_F(ListBoxColumns, StartsWithASemicolonAndFiveBlanks) {
  EXPECT_EQ(formatter.ColumnSeparator(), ";");
  EXPECT_EQ(formatter.ColumnPaddingString(), "     ");
}

TEST_F(ListBoxColumns, ReplacesTheItemsInOrderAndEveryNumberStaysWithItsItem) {
  add("NERI;Via Roma 1;2014", 40000);
  add("BIANCHI;Corso Italia 10;---", 0);
  add("VERDI;Piazza Duomo;2013", INT_MAX);
  add("ROSSI;Via Po 2;2012", -1);
  ASSERT_TRUE(formatter.FormatListBoxListItemsAsColumns(list));
  EXPECT_EQ(list.FontName(), "Courier");
  EXPECT_EQ(items(), FormatAsColumns({"NERI;Via Roma 1;2014", "BIANCHI;Corso Italia 10;---", "VERDI;Piazza Duomo;2013",
                                      "ROSSI;Via Po 2;2012"},
                                     ";", "     "));
  EXPECT_EQ(numbers(), (std::vector<int>{40000, 0, INT_MAX, -1}));
}

TEST_F(ListBoxColumns, ASortedListSortsTheLinesAgainAndTheNumbersFollow) {
  list.setSorted(true);
  add("VERDI;1", 7);
  add("BIANCHI;22", 40000);
  ASSERT_TRUE(formatter.FormatListBoxListItemsAsColumns(list));
  EXPECT_EQ(items(), (Lines{"BIANCHI     22", "VERDI        1"}));
  EXPECT_EQ(numbers(), (std::vector<int>{40000, 7}));
}

TEST_F(ListBoxColumns, ASortedListKeepsEqualTextsInTheirOrderWithTheirNumbers) {
  list.setSorted(true);
  add("b;1", 1);
  add("B;1", 2);
  add("a;1", 3);
  ASSERT_TRUE(formatter.FormatListBoxListItemsAsColumns(list));
  EXPECT_EQ(items(), (Lines{"a     1", "b     1", "B     1"}));
  EXPECT_EQ(numbers(), (std::vector<int>{3, 1, 2}));
  add("A;1", 4);  // still sorted afterwards
  EXPECT_EQ(list.List(1), "A;1");
}

TEST_F(ListBoxColumns, AnEmptyListOnlyChangesTheFont) {
  EXPECT_TRUE(formatter.FormatListBoxListItemsAsColumns(list));
  EXPECT_EQ(list.FontName(), "Courier");
  EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(ListBoxColumns, AnEmptyPaddingFailsAndLeavesTheItems) {
  add("A;1", 3);
  formatter.setColumnPaddingString("");
  EXPECT_FALSE(formatter.FormatListBoxListItemsAsColumns(list));
  EXPECT_EQ(items(), Lines{"A;1"});
  EXPECT_EQ(numbers(), std::vector<int>{3});
}

TEST_F(ListBoxColumns, FormattingTwiceOnlyTrimsTheLines) {
  add("A;1", 1);
  add("BB;22", 2);
  ASSERT_TRUE(formatter.FormatListBoxListItemsAsColumns(list));
  const Lines once = items();
  ASSERT_TRUE(formatter.FormatListBoxListItemsAsColumns(list));
  EXPECT_EQ(items(), once);
  EXPECT_EQ(numbers(), (std::vector<int>{1, 2}));
}

TEST_F(ListBoxColumns, AnotherSeparatorAndPadding) {
  formatter.setColumnSeparator("\t");
  formatter.setColumnPaddingString("  ");
  add("A\t1", 1);
  add("BBB\t10", 2);
  ASSERT_TRUE(formatter.FormatListBoxListItemsAsColumns(list));
  EXPECT_EQ(items(), (Lines{"A     1", "BBB  10"}));
}

}  // namespace
}  // namespace widgets::testing
