#pragma once
// Aligned columns of plain text in one ordinary list box. The caller fills the
// list box with items whose fields it joins with ColumnSeparator, gives each
// item a number of its own (ItemData: the index of the line, record or file
// behind the row), then calls FormatListBoxListItemsAsColumns once: every
// column gets the width of its longest cell, text columns are aligned left,
// numeric columns right, the list box's font becomes fixed-pitch, and every
// number stays with its item.
//
//   widgets::clsListBox FormatoColonne;
//   lst.AddItem("NERI" + FormatoColonne.ColumnSeparator() + "Via Roma 1");
//   lst.setItemData(lst.NewIndex(), 0);
//   FormatoColonne.FormatListBoxListItemsAsColumns(lst);
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace forms {
class ListBox;
}

namespace widgets {

// The layout of `items` as columns: each item split at every `separator`
// (an empty item has no cells), each cell padded with the first character of
// `padding` to the width of its column (in characters) and followed by
// `padding`, left-aligned in a text column, right-aligned in a numeric one
// (every cell a regional number or the placeholder "---"), and the line
// trimmed of blanks at both ends. `padding` must not be empty. Column j is
// at least `minimumWidths[j]` characters wide (so that it stands under its
// heading whatever the rows hold).
std::vector<std::string> FormatAsColumns(const std::vector<std::string>& items, std::string_view separator,
                                         std::string_view padding, const std::vector<size_t>& minimumWidths = {});

class clsListBox {
 public:
  // Separates the fields inside an unformatted item; ";" to begin with.
  const std::string& ColumnSeparator() const { return separator_; }
  void setColumnSeparator(const std::string& value) { separator_ = value; }
  // Follows every cell of a formatted line, and its first character pads the
  // cells; five blanks to begin with.
  const std::string& ColumnPaddingString() const { return padding_; }
  void setColumnPaddingString(const std::string& value) { padding_ = value; }
  // The least width of each column, in characters, from the first; none to
  // begin with.
  const std::vector<size_t>& MinimumWidths() const { return minimumWidths_; }
  void setMinimumWidths(std::vector<size_t> value) { minimumWidths_ = std::move(value); }

  // Sets the list box's font to "Courier" and replaces its items by their
  // aligned lines, in the same order (a sorted list box sorts them again),
  // each with the ItemData it had, whatever its value. False, with the items
  // untouched, when ColumnPaddingString is empty or the list box refuses an
  // item.
  bool FormatListBoxListItemsAsColumns(forms::ListBox& ctlVvListBox) const;

 private:
  std::string separator_ = ";";
  std::string padding_ = "     ";
  std::vector<size_t> minimumWidths_;
};

}  // namespace widgets
