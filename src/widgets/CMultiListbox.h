#pragma once
// Several list boxes of one control array, side by side, and one vertical
// scroll bar behaving as a single list with several columns: list box 0 is
// the first column, row r of the list is item r of every list box. The class
// keeps the selected row and the first visible row equal in every column,
// lays the scroll bar over the right edge of the last list box and sets its
// range from the row count and the rows that fit.
//
// The class hears nothing by itself: its owner forwards the list boxes'
// Click, MouseDown, MouseMove (left button) and Scroll events to Update(Index)
// and the scroll bar's Change and Scroll events to Update().
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Forms.h"

namespace widgets {

class CMultiListbox {
 public:
  // Binds the columns and the scroll bar, counts the columns (indexes 0, 1,
  // 2, ... up to the first missing one), then Resize and Update(0). Nothing
  // that fails inside stops it.
  CMultiListbox& Create(forms::ControlArray<forms::ListBox>& listboxArray, forms::VScrollBar& vScrollBar);

  // Lays the scroll bar over the right-hand strip of the last list box and
  // counts the rows that one list box shows in full.
  void Resize();

  // The columns follow list box `lbIndex` (the one the user clicked, dragged
  // or scrolled in): its selected row, then its first visible row. Then the
  // scroll bar follows them.
  void Update(int lbIndex);
  // The columns follow the scroll bar: list box 0 shows the scroll bar's
  // value as its first row and the others follow list box 0.
  void Update();

  // Empties every column.
  void Clear();
  // While it lives, AddItem leaves the scroll bar alone; it is brought up to
  // date once at the end (a list filled with many rows at a time):
  //   { CMultiListbox::Riempimento r(lista); for (...) lista.AddItem(...); }
  class Riempimento {
   public:
    explicit Riempimento(CMultiListbox& lista) : lista_(lista), prima_(lista.riempimento_) {
      lista_.riempimento_ = true;
    }
    ~Riempimento();
    Riempimento(const Riempimento&) = delete;
    Riempimento& operator=(const Riempimento&) = delete;

   private:
    CMultiListbox& lista_;
    bool prima_;
  };
  int ListCount() const;
  // Appends a row: `Item` to column 0, items[k] to column k + 1. More texts
  // than further columns fail (FormsError) after the earlier columns got
  // theirs.
  void AddItem(const std::string& Item, const std::vector<std::string>& items = {});
  // Many rows at once, column by column: `columns[c]` holds column c's texts
  // of the new rows, as many as column 0's (a short one is filled with empty
  // texts; the columns after the last given stay as they are). Each column
  // takes its texts in one go (its view is told once), the scroll bar is set
  // once: as AddItem of each row in turn would leave the list.
  void AddItems(std::vector<std::vector<std::string>> columns);
  // The same with texts that live in `owner` (kept alive while the columns
  // hold them) instead of copies.
  void AddItems(const std::vector<std::vector<std::string_view>>& columns, const std::shared_ptr<const void>& owner);
  void AddItem(const std::string& Item, std::initializer_list<std::string> items) {
    AddItem(Item, std::vector<std::string>(items));
  }
  void RemoveItem(int Item);

  // The selected row of column 0 (-1 when none); setting it selects that row
  // in every column.
  int ListIndex() const;
  void setListIndex(int index);
  // The first visible row of column 0; setting it scrolls every column.
  int TopIndex() const;
  void setTopIndex(int index);

  // The text of a row in one column, or of all columns joined by TAB.
  std::string List(int itemIndex, int colIndex) const;
  std::string List(int itemIndex) const;
  // List of the selected row.
  std::string Text(int colIndex) const { return List(ListIndex(), colIndex); }
  std::string Text() const { return List(ListIndex()); }

  // What Create found and Resize counted.
  int LastColumn() const { return lastColumn_; }
  int VisibleRows() const { return visibleRows_; }

 private:
  forms::ListBox& column(int c) const { return (*lists_)[c]; }
  static int GetVisibleRows(const forms::ListBox& list);
  void UpdateScrollBar();
  // The columns' selected and first rows from the source list box.
  void Follow(int source, bool fromBar);
  // Follow, unless already in step, then the scroll bar.
  void Step(int source, bool fromBar);

  forms::ControlArray<forms::ListBox>* lists_ = nullptr;
  forms::VScrollBar* bar_ = nullptr;
  int lastColumn_ = 0;
  int visibleRows_ = 0;
  // Set while the columns or the scroll bar are being brought in step: the
  // events that this raises (Click of a column, Change of the scroll bar)
  // come back to Update, which then has nothing to do.
  bool inStep_ = false;
  // A Riempimento is under way: AddItem does not update the scroll bar.
  bool riempimento_ = false;
};

}  // namespace widgets
