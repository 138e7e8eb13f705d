#include "widgets/CMultiListbox.h"

#include <algorithm>

namespace widgets {

using forms::FormsError;

namespace {

// Sets a flag for the life of a scope and puts back what it held.
class Flag {
 public:
  explicit Flag(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Flag() { flag_ = before_; }
  Flag(const Flag&) = delete;
  Flag& operator=(const Flag&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

CMultiListbox& CMultiListbox::Create(forms::ControlArray<forms::ListBox>& listboxArray, forms::VScrollBar& vScrollBar) {
  lists_ = &listboxArray;
  bar_ = &vScrollBar;
  // Index 0 is taken to exist; the columns end at the first missing index.
  lastColumn_ = 0;
  while (lists_->exists(lastColumn_ + 1)) ++lastColumn_;
  try {
    Resize();
  } catch (const FormsError&) {
  }
  Update(0);
  return *this;
}

void CMultiListbox::Resize() {
  const forms::ListBox& last = column(lastColumn_);
  bar_->Move(last.Left() + last.Width() - bar_->Width(), last.Top(), bar_->Width(), last.Height());
  visibleRows_ = GetVisibleRows(column(0));
  UpdateScrollBar();
}

int CMultiListbox::GetVisibleRows(const forms::ListBox& list) {
  // An item height of 0 would divide by zero: such a list shows no full row.
  const int height = list.itemHeight();
  return height > 0 ? list.clientHeightPx() / height : 0;
}

void CMultiListbox::Follow(int source, bool fromBar) {
  int selected = -1, top = 0;
  try {
    forms::ListBox& from = column(source);
    if (fromBar) from.setTopIndex(bar_->Value());
    selected = from.ListIndex();
    top = from.TopIndex();
  } catch (const FormsError&) {
    return;
  }
  // The selection first: a column that shows its new row scrolls to it,
  // and the first visible row then puts it where the source has it.
  for (int c = 0; c <= lastColumn_; ++c) {
    try {
      forms::ListBox& col = column(c);
      if (col.ListIndex() != selected) col.setListIndex(selected);
      col.setTopIndex(top);
    } catch (const FormsError&) {
      // A missing column or one with fewer rows: the others still follow.
    }
  }
}

void CMultiListbox::Step(int source, bool fromBar) {
  if (inStep_ || !lists_) return;
  {
    Flag f(inStep_);
    Follow(source, fromBar);
  }
  try {
    UpdateScrollBar();
  } catch (const FormsError&) {
  }
}

void CMultiListbox::Update(int lbIndex) { Step(lbIndex, false); }

void CMultiListbox::Update() { Step(0, true); }

void CMultiListbox::UpdateScrollBar() {
  // Changing the range or the value raises the scroll bar's Change, which
  // its owner forwards to Update: the columns are already where it says.
  Flag f(inStep_);
  const int count = ListCount();
  if (count > visibleRows_) {
    if (!bar_->Visible()) bar_->setVisible(true);
    if (bar_->Min() != 0) bar_->setMin(0);
    const int max = count - visibleRows_;
    if (bar_->Max() != max) bar_->setMax(max);
    bar_->setSmallChange(1);
    bar_->setLargeChange(std::max(1, visibleRows_));
    const int top = std::clamp(TopIndex(), 0, max);
    if (bar_->Value() != top) bar_->setValue(top);
  } else if (bar_->Visible()) {
    bar_->setVisible(false);
  }
}

void CMultiListbox::Clear() {
  for (int c = 0; c <= lastColumn_; ++c) column(c).Clear();
  UpdateScrollBar();
}

int CMultiListbox::ListCount() const { return column(0).ListCount(); }

void CMultiListbox::AddItem(const std::string& Item, const std::vector<std::string>& items) {
  column(0).AddItem(Item);
  for (size_t k = 0; k < items.size(); ++k) column(static_cast<int>(k) + 1).AddItem(items[k]);
  if (!riempimento_) UpdateScrollBar();
}

void CMultiListbox::AddItems(std::vector<std::vector<std::string>> columns) {
  const size_t rows = columns.empty() ? 0 : columns[0].size();
  if (rows == 0) return;
  // As AddItem, the columns after the texts given stay as they are.
  for (int c = 0; c <= lastColumn_ && static_cast<size_t>(c) < columns.size(); ++c) {
    std::vector<std::string>& texts = columns[static_cast<size_t>(c)];
    texts.resize(rows);
    column(c).AddItems(std::move(texts));
  }
  if (!riempimento_) UpdateScrollBar();
}

void CMultiListbox::AddItems(const std::vector<std::vector<std::string_view>>& columns,
                             const std::shared_ptr<const void>& owner) {
  const size_t rows = columns.empty() ? 0 : columns[0].size();
  if (rows == 0) return;
  for (int c = 0; c <= lastColumn_ && static_cast<size_t>(c) < columns.size(); ++c) {
    if (columns[static_cast<size_t>(c)].size() == rows) {
      column(c).AddItems(columns[static_cast<size_t>(c)], owner);
    } else {
      std::vector<std::string_view> texts = columns[static_cast<size_t>(c)];
      texts.resize(rows);
      column(c).AddItems(texts, owner);
    }
  }
  if (!riempimento_) UpdateScrollBar();
}

CMultiListbox::Riempimento::~Riempimento() {
  lista_.riempimento_ = prima_;
  if (!prima_) {
    try {
      lista_.UpdateScrollBar();
    } catch (const FormsError&) {
    }
  }
}

void CMultiListbox::RemoveItem(int Item) {
  for (int c = 0; c <= lastColumn_; ++c) column(c).RemoveItem(Item);
  UpdateScrollBar();
}

int CMultiListbox::ListIndex() const { return column(0).ListIndex(); }

void CMultiListbox::setListIndex(int index) {
  Flag f(inStep_);
  for (int c = 0; c <= lastColumn_; ++c) column(c).setListIndex(index);
}

int CMultiListbox::TopIndex() const { return column(0).TopIndex(); }

void CMultiListbox::setTopIndex(int index) {
  {
    Flag f(inStep_);
    for (int c = 0; c <= lastColumn_; ++c) column(c).setTopIndex(index);
  }
  UpdateScrollBar();
}

std::string CMultiListbox::List(int itemIndex, int colIndex) const { return column(colIndex).List(itemIndex); }

std::string CMultiListbox::List(int itemIndex) const {
  std::string row = column(0).List(itemIndex);
  for (int c = 1; c <= lastColumn_; ++c) row += '\t' + column(c).List(itemIndex);
  return row;
}

}  // namespace widgets
