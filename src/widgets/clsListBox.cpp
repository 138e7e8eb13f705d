#include "widgets/clsListBox.h"

#include <algorithm>
#include <exception>
#include <numeric>
#include <utility>

#include "forms/Controls.h"
#include "shell/Numeri.h"

namespace widgets {

namespace {

// Characters of a UTF-8 text: every byte but the continuation bytes.
size_t Characters(std::string_view text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The first UTF-8 character of a non-empty text.
std::string_view FirstCharacter(std::string_view text) {
  size_t n = 1;
  while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return text.substr(0, n);
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The cells of an item: split at every separator; an empty item has none, and
// an empty separator leaves the whole item as one cell.
void SplitCells(std::string_view item, std::string_view separator, std::vector<std::string_view>& cells) {
  cells.clear();
  if (item.empty()) return;
  if (separator.empty()) {
    cells.push_back(item);
    return;
  }
  for (size_t start = 0;;) {
    const size_t end = item.find(separator, start);
    if (end == std::string_view::npos) {
      cells.push_back(item.substr(start));
      return;
    }
    cells.push_back(item.substr(start, end - start));
    start = end + separator.size();
  }
}

// A cell that does not keep its column numeric.
bool IsTextCell(std::string_view cell) { return !shell::IsNumeric(cell) && TrimBlanks(cell) != "---"; }

void Repeat(std::string& line, std::string_view fill, size_t times) {
  for (size_t i = 0; i < times; ++i) line += fill;
}

}  // namespace

std::vector<std::string> FormatAsColumns(const std::vector<std::string>& items, std::string_view separator,
                                         std::string_view padding, const std::vector<size_t>& minimumWidths) {
  std::vector<size_t> widths = minimumWidths;
  std::vector<bool> text(widths.size(), false);
  std::vector<std::string_view> cells;
  for (const std::string& item : items) {
    SplitCells(item, separator, cells);
    if (cells.size() > widths.size()) {
      widths.resize(cells.size(), 0);
      text.resize(cells.size(), false);
    }
    for (size_t j = 0; j < cells.size(); ++j) {
      widths[j] = std::max(widths[j], Characters(cells[j]));
      if (!text[j] && IsTextCell(cells[j])) text[j] = true;
    }
  }

  const std::string_view fill = padding.empty() ? std::string_view(" ") : FirstCharacter(padding);
  std::vector<std::string> lines;
  lines.reserve(items.size());
  std::string line;
  for (const std::string& item : items) {
    SplitCells(item, separator, cells);
    line.clear();
    for (size_t j = 0; j < cells.size(); ++j) {
      const size_t missing = widths[j] - Characters(cells[j]);
      if (text[j]) {
        line += cells[j];
        Repeat(line, fill, missing);
      } else {
        Repeat(line, fill, missing);
        line += cells[j];
      }
      line += padding;
    }
    lines.emplace_back(TrimBlanks(line));
  }
  return lines;
}

bool clsListBox::FormatListBoxListItemsAsColumns(forms::ListBox& ctlVvListBox) const {
  ctlVvListBox.setFontName("Courier");
  if (padding_.empty()) return false;

  const int count = ctlVvListBox.ListCount();
  std::vector<std::string> items;
  std::vector<int> numbers;
  items.reserve(count);
  numbers.reserve(count);
  for (int i = 0; i < count; ++i) {
    items.push_back(ctlVvListBox.List(i));
    numbers.push_back(ctlVvListBox.ItemData(i));
  }
  const std::vector<std::string> lines = FormatAsColumns(items, separator_, padding_, minimumWidths_);

  // All the rows in one go (the view is told once), each with its number; a
  // sorted list box gets them in its own order (case ignored, equal texts as
  // they came), as adding them one by one would give.
  const auto fill = [&ctlVvListBox](const std::vector<std::string>& texts, const std::vector<int>& data) {
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const bool sorted = ctlVvListBox.Sorted();
    if (sorted) {
      std::vector<std::string> keys;
      keys.reserve(texts.size());
      for (const std::string& t : texts) keys.push_back(forms::foldNoCase(t));
      std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    }
    std::vector<std::string> rows;
    rows.reserve(texts.size());
    for (size_t i : order) rows.push_back(texts[i]);
    ctlVvListBox.Clear();
    ctlVvListBox.setSorted(false);
    try {
      ctlVvListBox.AddItems(std::move(rows));
    } catch (...) {
      ctlVvListBox.setSorted(sorted);
      throw;
    }
    ctlVvListBox.setSorted(sorted);
    for (size_t i = 0; i < order.size(); ++i) ctlVvListBox.setItemData(static_cast<int>(i), data[order[i]]);
  };
  try {
    fill(lines, numbers);
  } catch (const std::exception&) {
    // The list box goes back to the items it had, so that no row is lost.
    fill(items, numbers);
    return false;
  }
  return true;
}

}  // namespace widgets
