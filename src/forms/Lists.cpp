#include <algorithm>
#include <filesystem>
#include <system_error>

#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/Text.h"
#include "platform/Cp1252.h"
#include "platform/Memory.h"

namespace forms {

namespace {

constexpr size_t kBlockMax = 256;  // a block is split in two when it grows beyond this

// Case folding of the letters of Windows-1252.
char32_t fold(char32_t c) { return platform::smallLetter(c); }

// Wildcard match (* and ?) with case folded; both already folded.
bool wildcard(std::u32string_view name, std::u32string_view pattern) {
  size_t n = 0, p = 0, starP = std::u32string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++n, ++p;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::u32string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

std::u32string folded(std::string_view utf8) {
  std::u32string s = text::toU32(utf8);
  for (char32_t& c : s) c = fold(c);
  return s;
}

}  // namespace

// --- ListItems -----------------------------------------------------------------

std::pair<size_t, int> ListItems::locate(int i) const {
  size_t b = cachedBlock_;
  int start = cachedStart_;
  if (b >= blocks_.size()) b = 0, start = 0;
  while (i < start) start -= static_cast<int>(blocks_[--b].size());
  while (i >= start + static_cast<int>(blocks_[b].size())) start += static_cast<int>(blocks_[b++].size());
  cachedBlock_ = b;
  cachedStart_ = start;
  return {b, i - start};
}

const ListItems::Item& ListItems::at(int i) const {
  auto [b, k] = locate(i);
  return blocks_[b][k];
}

ListItems::Item& ListItems::at(int i) {
  auto [b, k] = locate(i);
  return blocks_[b][k];
}

ListItems::Item ListItems::Item::holding(std::string text) {
  auto own = std::make_unique<std::string>(std::move(text));
  return {own->data(), static_cast<uint32_t>(own->size()), 0, std::move(own)};
}

std::string_view ListItems::text(int i) const { return at(i).text(); }
void ListItems::setText(int i, std::string text) {
  Item& item = at(i);
  const int data = item.data;
  item = Item::holding(std::move(text));
  item.data = data;
}
int ListItems::data(int i) const { return at(i).data; }
void ListItems::setData(int i, int value) { at(i).data = value; }

void ListItems::insert(int i, std::string text) {
  size_t b;
  int k;
  if (blocks_.empty()) blocks_.emplace_back();
  if (i == size_) {
    b = blocks_.size() - 1;
    k = static_cast<int>(blocks_[b].size());
    cachedBlock_ = b, cachedStart_ = size_ - k;
  } else {
    std::tie(b, k) = locate(i);
  }
  auto& block = blocks_[b];
  block.insert(block.begin() + k, Item::holding(std::move(text)));
  ++size_;
  if (block.size() > kBlockMax) {
    Block tail(std::make_move_iterator(block.begin() + kBlockMax / 2), std::make_move_iterator(block.end()));
    block.resize(kBlockMax / 2);
    blocks_.insert(blocks_.begin() + b + 1, std::move(tail));
  }
  // Blocks before b did not move: the start of b stays right.
}

void ListItems::erase(int i) {
  auto [b, k] = locate(i);
  blocks_[b].erase(blocks_[b].begin() + k);
  if (blocks_[b].empty()) {
    blocks_.erase(blocks_.begin() + b);
    cachedBlock_ = 0, cachedStart_ = 0;
  }
  --size_;
}

void ListItems::clear() {
  blocks_.clear();
  owners_.clear();
  size_ = 0;
  cachedBlock_ = 0, cachedStart_ = 0;
}

int ListItems::sortedPosition(std::string_view text) const {
  // The first block whose last item is greater than the text, then the
  // first item of that block that is greater.
  auto greater = [&](const Item& item) { return compareNoCase(item.text(), text) > 0; };
  auto block =
      std::partition_point(blocks_.begin(), blocks_.end(), [&](const Block& bl) { return !greater(bl.back()); });
  int start = 0;
  for (auto it = blocks_.begin(); it != block; ++it) start += static_cast<int>(it->size());
  if (block == blocks_.end()) return start;
  auto item = std::partition_point(block->begin(), block->end(), [&](const Item& x) { return !greater(x); });
  return start + static_cast<int>(item - block->begin());
}

template <class Make>
void ListItems::appendInOrder(size_t count, Make make) {
  // The last block is filled up, then new blocks follow; the items before
  // stay where they are.
  if (count == 0) return;
  if (blocks_.empty()) blocks_.emplace_back();
  size_t k = 0;
  for (Block* b = &blocks_.back(); k < count;) {
    if (b->size() >= kBlockMax / 2) {
      blocks_.emplace_back();
      b = &blocks_.back();
      b->reserve(std::min(kBlockMax / 2, count - k));
    }
    const size_t end = std::min(count, k + (kBlockMax / 2 - b->size()));
    for (; k < end; ++k) b->push_back(make(k));
  }
  size_ += static_cast<int>(count);
  cachedBlock_ = 0, cachedStart_ = 0;
}

void ListItems::append(std::vector<std::string> texts, bool sorted) {
  if (!sorted) return appendInOrder(texts.size(), [&](size_t k) { return Item::holding(std::move(texts[k])); });
  std::vector<Item> added;
  added.reserve(texts.size());
  for (std::string& t : texts) added.push_back(Item::holding(std::move(t)));
  appendItems(std::move(added), sorted);
}

void ListItems::append(const std::vector<std::string_view>& texts, std::shared_ptr<const void> owner, bool sorted) {
  if (texts.empty()) return;
  if (owner) owners_.push_back(std::move(owner));
  if (!sorted) return appendInOrder(texts.size(), [&](size_t k) { return Item::referring(texts[k]); });
  std::vector<Item> added;
  added.reserve(texts.size());
  for (const std::string_view t : texts) added.push_back(Item::referring(t));
  appendItems(std::move(added), sorted);
}

void ListItems::appendItems(std::vector<Item> added, bool sorted) {
  if (added.empty()) return;
  if (!sorted) return appendInOrder(added.size(), [&](size_t k) { return std::move(added[k]); });
  std::vector<Item> all;
  all.reserve(static_cast<size_t>(size_) + added.size());
  platform::preferHugePages(all.data(), all.capacity() * sizeof(Item));
  for (Block& b : blocks_)
    for (Item& item : b) all.push_back(std::move(item));
  for (Item& item : added) all.push_back(std::move(item));
  std::vector<Item>().swap(added);
  blocks_.clear();
  // A list that was sorted, or a file that a sorted list wrote, is in order
  // but for its tail: one pass finds it, and only the tail is sorted (stably,
  // comparing the texts where they are, without a folded copy of each), then
  // merged in.
  const auto less = [](const Item& a, const Item& b) { return compareNoCase(a.text(), b.text()) < 0; };
  const auto tail = std::is_sorted_until(all.begin(), all.end(), less);
  if (tail != all.end()) {
    std::stable_sort(tail, all.end(), less);
    std::inplace_merge(all.begin(), tail, all.end(), less);
  }
  size_ = 0;
  appendInOrder(all.size(), [&](size_t k) { return std::move(all[k]); });
}

// --- ListPart ------------------------------------------------------------------

void ListPart::AddItem(const std::string& item) {
  AddItem(item, sorted_ ? items_.sortedPosition(item) : items_.size());
}

void ListPart::AddItem(const std::string& item, int index) {
  if (index < 0 || index > items_.size()) throw FormsError("AddItem: invalid index " + std::to_string(index));
  items_.insert(index, item);
  newIndex_ = index;
  if (listIndex_ >= index) ++listIndex_;
  listChanged();
}

void ListPart::AddItems(std::vector<std::string> items) {
  if (items.empty()) return;
  const std::string last = items.back();
  appendItems(last, static_cast<int>(items.size()), [&](bool sorted) { items_.append(std::move(items), sorted); });
}

void ListPart::AddItems(const std::vector<std::string_view>& items, std::shared_ptr<const void> owner) {
  if (items.empty()) return;
  const std::string last(items.back());
  appendItems(last, static_cast<int>(items.size()),
              [&](bool sorted) { items_.append(items, std::move(owner), sorted); });
}

void ListPart::appendItems(const std::string& last, int count, const std::function<void(bool sorted)>& append) {
  if (!sorted_) {
    const int first = items_.size();
    newIndex_ = first + count - 1;
    append(false);
    listChanged();
    return;
  }
  // The selected item keeps its place among equal texts; the last item
  // added comes after every text that is not greater.
  const std::string selected = listIndex_ >= 0 ? std::string(items_.text(listIndex_)) : std::string();
  int selectedRank = 0;  // equal texts before the selected item
  for (int i = 0; i < listIndex_; ++i) selectedRank += compareNoCase(items_.text(i), selected) == 0;
  append(true);
  // Equal texts keep their order: the old ones first, then the new ones.
  newIndex_ = items_.sortedPosition(last) - 1;
  if (listIndex_ >= 0) {
    int at = items_.sortedPosition(selected);
    while (at > 0 && compareNoCase(items_.text(at - 1), selected) == 0) --at;
    listIndex_ = at + selectedRank;
  }
  listChanged();
}

void ListPart::RemoveItem(int index) {
  if (index < 0 || index >= items_.size()) throw FormsError("RemoveItem: invalid index " + std::to_string(index));
  items_.erase(index);
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
  listChanged();
}

void ListPart::Clear() {
  items_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
  cleared();
  listChanged();
}

std::string ListPart::List(int index) const { return std::string(ListText(index)); }

std::string_view ListPart::ListText(int index) const {
  if (index < 0 || index >= items_.size()) return {};
  return items_.text(index);
}

void ListPart::setList(int index, const std::string& text) {
  if (index < 0 || index >= items_.size()) throw FormsError("List: invalid index " + std::to_string(index));
  items_.setText(index, text);
  listChanged();
}

int ListPart::ItemData(int index) const {
  if (index < 0 || index >= items_.size()) throw FormsError("ItemData: invalid index " + std::to_string(index));
  return items_.data(index);
}

void ListPart::setItemData(int index, int value) {
  if (index < 0 || index >= items_.size()) throw FormsError("ItemData: invalid index " + std::to_string(index));
  items_.setData(index, value);
}

int ListPart::FindString(std::string_view prefix, int start) const {
  const int n = items_.size();
  if (prefix.empty() || n == 0) return -1;
  if (start < -1 || start >= n) start = -1;
  for (int k = 1; k <= n; ++k) {
    const int i = (start + k) % n;
    if (startsWithNoCase(items_.text(i), prefix)) return i;
  }
  return -1;
}

void ListPart::setListIndex(int index) {
  if (index < -1 || index >= items_.size()) throw FormsError("ListIndex: invalid value " + std::to_string(index));
  if (index == listIndex_) return;
  listIndex_ = index;
  selectionChanged();
}

void ListPart::selectByLetter(int keyAscii) {
  if (keyAscii < 32 || keyAscii > 255) return;
  std::string letter;
  platform::appendUtf8(letter, platform::cp1252ToCodePoint(static_cast<unsigned char>(keyAscii)));
  const int found = FindString(letter, listIndex_);
  if (found >= 0) setListIndex(found);
}

int ListPart::keyTarget(int keyCode, int pageRows, int& step) const {
  const int n = items_.size();
  const int li = listIndex_;
  step = 1;
  switch (keyCode) {
    case vbKeyUp:
      step = -1;
      return li - 1;
    case vbKeyDown:
      return li + 1;
    case vbKeyPageUp:
      step = -1;
      return li - std::max(pageRows - 1, 1);
    case vbKeyPageDown:
      return li + std::max(pageRows - 1, 1);
    case vbKeyHome:
      return 0;
    case vbKeyEnd:
      step = -1;
      return n - 1;
    default:
      return kNoMove;
  }
}

void ListPart::moveSelection(int keyCode, int pageRows) {
  const int n = items_.size();
  int step;
  const int to = keyTarget(keyCode, pageRows, step);
  if (n == 0 || to == kNoMove) return;
  setListIndex(std::clamp(to, 0, n - 1));
}

// --- ListBox -------------------------------------------------------------------

ListBox::ListBox() {
  backColor_ = vbWindowBackground;
  foreColor_ = vbWindowText;
}

int ListBox::itemHeight() const { return fontEngine().textHeight(font_); }

int ListBox::clientHeightPx() const { return std::max(0, height_ / TwipsPerPixel - 4); }

void ListBox::setTopIndex(int index) {
  const int rows = std::max(1, clientHeightPx() / std::max(1, itemHeight()));
  const int top = std::clamp(index, 0, std::max(0, ListCount() - rows));
  if (top == topIndex_) return;
  topIndex_ = top;
  notify(What::Selection);
}

void ListBox::setTabStops(std::vector<int> stops) {
  tabStops_ = std::move(stops);
  notify(What::Appearance);
}

void ListBox::selectionChanged() {
  const int rows = std::max(1, clientHeightPx() / std::max(1, itemHeight()));
  if (listIndex_ >= 0 && listIndex_ < topIndex_) topIndex_ = listIndex_;
  if (listIndex_ >= topIndex_ + rows) topIndex_ = listIndex_ - rows + 1;
  notify(What::Selection);
  detail::raise(Click);
}

void ListBox::listChanged() {
  topIndex_ = std::clamp(topIndex_, 0, std::max(0, ListCount() - 1));
  notify(What::List);
}

int ListBox::firstRow() const {
  for (int i = 0; i < ListCount(); ++i)
    if (!isSeparator(i)) return i;
  return -1;
}

bool ListBox::isSeparator(int row) const {
  if (!separatorLines_ || row < 0 || row >= ListCount()) return false;
  return items_.text(row).find_first_not_of(" \t") == std::string_view::npos;
}

void ListBox::keyAction(int keyCode, int) {
  const int rows = std::max(1, clientHeightPx() / std::max(1, itemHeight()));
  if (!separatorLines_) return moveSelection(keyCode, rows);
  // The row the key reaches, then on in the same direction past the
  // separator lines (back when the end is one); the selection stays where
  // it is when only separators lie that way.
  const int n = ListCount();
  int step;
  int to = keyTarget(keyCode, rows, step);
  if (n == 0 || to == kNoMove) return;
  to = std::clamp(to, 0, n - 1);
  int found = to;
  while (found >= 0 && found < n && isSeparator(found)) found += step;
  if (found < 0 || found >= n) {
    found = to;
    while (found >= 0 && found < n && isSeparator(found)) found -= step;
  }
  if (found >= 0 && found < n) setListIndex(found);
}

// With nothing selected, the highlighted row (the one the keys start from)
// is the first.
void ListBox::charAction(int keyAscii) {
  const int n = ListCount();
  switch (keyAscii) {
    case vbKeySpace:
      if (n > 0 && listIndex_ < 0) setListIndex(firstRow());
      return;
    case vbKeyReturn: {
      // The row is taken as a double click takes it: Click, then DblClick.
      if (n == 0 || firstRow() < 0) return;
      if (listIndex_ < 0)
        setListIndex(firstRow());
      else
        detail::raise(Click);
      if (form().isLoaded()) detail::raise(DblClick);
      return;
    }
    default:
      selectByLetter(keyAscii);
  }
}

// --- ComboBox ------------------------------------------------------------------

void ComboBox::setStyle(int style) {
  if (style != vbComboDropDown && style != vbComboDropDownList)
    throw FormsError("unsupported combo style " + std::to_string(style));
  style_ = style;
  notify(What::Appearance);
}

void ComboBox::setText(const std::string& text) {
  if (style_ == vbComboDropDown) return EditControl::setText(text);
  if (text.empty()) return setListIndex(-1);
  for (int i = 0; i < ListCount(); ++i) {
    if (compareNoCase(items_.text(i), text) == 0) return setListIndex(i);
  }
  throw FormsError("combo box has no item \"" + text + "\"");
}

void ComboBox::textEdited() {
  if (listIndex_ >= 0 && items_.text(listIndex_) != text_) {
    setListIndexSilently(-1);
    notify(What::Selection);
  }
}

void ComboBox::selectionChanged() {
  showText(listIndex_ >= 0 ? std::string(items_.text(listIndex_)) : std::string());
  notify(What::Selection);
  detail::raise(Click);
}

void ComboBox::cleared() { showText({}); }

void ComboBox::listChanged() { notify(What::List); }

void ComboBox::contextMenuAction() {
  if (style_ == vbComboDropDown) EditControl::contextMenuAction();
}

void ComboBox::keyAction(int keyCode, int shift) {
  if (keyCode == vbKeyUp || keyCode == vbKeyDown) return moveSelection(keyCode, 1);
  if (style_ == vbComboDropDown) return EditControl::keyAction(keyCode, shift);
  if (keyCode == vbKeyLeft) return moveSelection(vbKeyUp, 1);
  if (keyCode == vbKeyRight) return moveSelection(vbKeyDown, 1);
  moveSelection(keyCode, 1);
}

void ComboBox::charAction(int keyAscii) {
  if (style_ == vbComboDropDown) return EditControl::charAction(keyAscii);
  selectByLetter(keyAscii);
}

// --- FileListBox ---------------------------------------------------------------

void FileListBox::setPath(const std::string& path) {
  path_ = path;
  Refresh();
}

void FileListBox::setPattern(const std::string& pattern) {
  pattern_ = pattern;
  if (!path_.empty()) Refresh();
}

void FileListBox::Refresh() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator it(path_, ec);
  if (ec) throw FormsError("cannot read the folder \"" + path_ + "\": " + ec.message());
  std::vector<std::u32string> patterns;
  for (size_t start = 0; start <= pattern_.size();) {
    size_t end = std::min(pattern_.find(';', start), pattern_.size());
    std::u32string p = folded(pattern_.substr(start, end - start));
    patterns.push_back(p == U"*.*" ? U"*" : p);
    start = end + 1;
  }
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) throw FormsError("cannot read the folder \"" + path_ + "\": " + ec.message());
    if (!it->is_regular_file(ec)) continue;
    std::string name = it->path().filename().string();
    const std::u32string f = folded(name);
    if (std::any_of(patterns.begin(), patterns.end(), [&](const auto& p) { return wildcard(f, p); }))
      names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return compareNoCase(a, b) < 0; });
  Clear();
  for (auto& n : names) ListPart::AddItem(n, ListCount());
}

}  // namespace forms
