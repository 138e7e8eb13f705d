#pragma once
// The standard controls. Properties are read with the VB name and written
// with set + the VB name (Text() / setText(s)); see forms/Forms.h.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Canvas.h"
#include "forms/Control.h"
#include "forms/Image.h"
#include "platform/Text.h"

namespace forms {

// --- Text editing (TextBox and the edit part of ComboBox) -------------------

// What a paste puts into a box from the clipboard's text: its first line (a
// multi-line box: every line), without the characters that no box takes
// (outside Windows-1252, control characters). Typed, those are refused with
// the beep.
std::string pastableText(std::string_view clipboard, bool multiLine);

// Text, caret and selection. Positions count characters (not bytes) from 0.
// After a Text assignment from code the caret is at 0 with nothing selected,
// as in VB. MaxLength (0 = no limit) limits what the user types or pastes,
// never what code assigns.
class EditControl : public Control {
 public:
  const std::string& Text() const { return text_; }
  // Raises Change when the text really changes.
  virtual void setText(const std::string& text);
  int SelStart() const;
  int SelLength() const;
  std::string SelText() const;
  // Puts the caret there (clamped to the text) with nothing selected.
  void setSelStart(int start);
  // Selects from SelStart on (clamped to the text).
  void setSelLength(int length);
  // Replaces the selection (raises Change) and puts the caret after it.
  void setSelText(const std::string& text);
  int MaxLength() const { return maxLength_; }
  void setMaxLength(int n) { maxLength_ = n; }
  // A locked box takes the focus and copies but refuses every edit.
  bool Locked() const { return locked_; }
  void setLocked(bool v) { locked_ = v; }
  int Alignment() const { return alignment_; }
  void setAlignment(int a);

  std::function<void()> Change;

  bool focusable() const override { return true; }
  void keyAction(int keyCode, int shift) override;
  // Typed characters, Backspace, and the keys of a line edit: Ctrl+A selects
  // the whole text, Ctrl+C copies, Ctrl+X cuts, Ctrl+V pastes, Ctrl+Z undoes
  // the last edit of the user (typed characters in a row are one edit; a
  // text set by code starts the history anew).
  void charAction(int keyAscii) override;
  void keyStarting(int keyAscii) override;
  void keyDone() override;
  // Refused with the beep by a box that takes typing.
  void refusedChar() override;
  // The edit menu: "Annulla", "Taglia", "Copia", "Incolla", "Elimina",
  // "Seleziona tutto", each enabled when it applies and running the step of
  // its key (Ctrl+Z, Ctrl+X, Ctrl+C, Ctrl+V, Delete, Ctrl+A) through the
  // box's own handlers.
  void contextMenuAction() override;
  // Whether Ctrl+Z has an edit of the user to take back.
  bool canUndo() const { return editable() && !undo_.empty(); }
  bool canEdit() const { return editable(); }
  // A single-line box selects its whole text when it takes the focus (by
  // Tab, a click or SetFocus), before its GotFocus runs, so that what is
  // typed next replaces it.
  void focusArrived() override;

 protected:
  EditControl();
  virtual bool multiLine() const { return false; }
  virtual bool editable() const { return !locked_; }
  // Called after the text changed, before Change is raised.
  virtual void textEdited() {}
  // Sets text and caret; raises Change when the text is different.
  void replaceText(const std::string& text, int anchor, int caret);
  // Sets the text without Change (a combo showing its selected item).
  void showText(const std::string& text);
  // Inserts typed or pasted text over the selection, within MaxLength.
  void typeText(std::u32string text);
  // The clipboard's text typed at the caret, over the selection, one
  // character after the other through KeyPress and the box's own editing,
  // so that the box's key rules hold for a paste as for typing. A character
  // the box refuses is left out without a bell; a refused word separator
  // (";", ",", a tab, a line break) becomes one blank before the next
  // character taken. When nothing is taken the bell sounds once.
  void paste();
  // Ctrl+X: the selection to the clipboard, then removed as Delete removes
  // it in this box (KeyDown first, so a box's own rules apply).
  void cut();
  void moveCaret(int to, bool extend);

  std::string text_;
  int anchor_ = 0;  // the fixed end of the selection
  int caret_ = 0;   // the moving end
  int maxLength_ = 0;

 private:
  struct Edit {
    std::string text;
    int anchor = 0, caret = 0;
  };
  std::vector<Edit> undo_;  // the states before the user's edits, the last on top
  Edit beforeKey_;          // the state when the keystroke in progress began
  int keys_ = 0;            // keystrokes to this box in progress
  bool typingKey_ = false;  // the keystroke in progress types a character
  bool undoing_ = false;    // the keystroke in progress is Ctrl+Z
  int typedRunEnd_ = -1;    // the caret after the last typed character, while typing goes on
  void forgetEdits();

 protected:
  bool locked_ = false;
  int alignment_ = vbLeftJustify;
};

class TextBox : public EditControl {
 public:
  bool MultiLine() const { return multiLine_; }
  // Enter inserts CR LF in a multi-line box and nothing in a single-line one.
  void setMultiLine(bool v) { multiLine_ = v; }

 protected:
  bool multiLine() const override { return multiLine_; }

 private:
  bool multiLine_ = false;
};

// --- Static controls ---------------------------------------------------------

class Label : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  // Raises Change when the caption really changes. Line breaks ("\r\n",
  // "\n") break the caption into lines.
  void setCaption(const std::string& caption);
  // With AutoSize the label takes the size of its caption (headless metrics
  // of the font engine), keeping its Left and Top.
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool v);
  int Alignment() const { return alignment_; }
  void setAlignment(int a);
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int s);
  // 0 transparent, 1 opaque.
  int BackStyle() const { return backStyle_; }
  void setBackStyle(int s);

  std::function<void()> Change;

 protected:
  void fontChanged() override;

 private:
  void fit();
  std::string caption_;
  bool autoSize_ = false;
  int alignment_ = vbLeftJustify;
  int borderStyle_ = 0;
  int backStyle_ = 1;
};

class Frame : public Control, public Container {
 public:
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  Form& containerForm() override { return form(); }
  Control* asControl() override { return this; }

 private:
  std::string caption_;
};

class LineControl : public Control {  // VB's Line (Line is a drawing method)
 public:
  int X1() const { return x1_; }
  int Y1() const { return y1_; }
  int X2() const { return x2_; }
  int Y2() const { return y2_; }
  // Twips of the container.
  void setPoints(int x1, int y1, int x2, int y2);
  Color BorderColor() const { return borderColor_; }
  void setBorderColor(Color c);

 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  Color borderColor_ = vbWindowText;
};

class ImageControl : public Control {  // VB's Image (forms::Image is a bitmap)
 public:
  const forms::Image& Picture() const { return picture_; }
  void setPicture(const forms::Image& picture);
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int s);

 private:
  forms::Image picture_;
  int borderStyle_ = 0;
};

// --- Buttons -------------------------------------------------------------------

class CommandButton : public Control {
 public:
  // "&" marks the access key ("&Calcola TASI": Alt+C); CR or CR LF break lines.
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool focusable() const override { return true; }
  // Space and Enter on the focused button click it.
  void charAction(int keyAscii) override;
  const std::string& accessCaption() const override { return caption_; }

 private:
  std::string caption_;
};

class CheckBox : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  // vbUnchecked, vbChecked or vbGrayed; raises Click when it really changes.
  int Value() const { return value_; }
  void setValue(int v);
  bool focusable() const override { return true; }
  // A click ticks an unticked box and unticks a ticked one.
  void clickAction() override;
  void charAction(int keyAscii) override;  // space = click
  const std::string& accessCaption() const override { return caption_; }

 private:
  std::string caption_;
  int value_ = vbUnchecked;
};

// The option buttons of one container form one group: selecting one clears
// the others of the same container (without Click for them).
class OptionButton : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool Value() const { return value_; }
  // True raises Click when the button was not selected; False only clears it.
  void setValue(bool v);
  bool focusable() const override { return true; }
  // Tab stops on the selected option of the group only (on the first one
  // when none is selected).
  bool isTabStop() const override;
  void clickAction() override;
  void charAction(int keyAscii) override;  // space = click
  // Up/Left and Down/Right: the focus and the selection to the previous /
  // next option of the group (tab order, wrapping round), with its Click.
  void keyAction(int keyCode, int shift) override;
  const std::string& accessCaption() const override { return caption_; }

 private:
  std::string caption_;
  bool value_ = false;
};

// --- Lists ---------------------------------------------------------------------

// The items of a list or combo: text and ItemData, kept in blocks so that
// inserting into a sorted list of 100,000 items stays cheap. An item holds
// its text, or refers to a text that lives elsewhere (the lines of an archive
// file, read once) and is kept alive by the list.
class ListItems {
 public:
  int size() const { return size_; }
  std::string_view text(int i) const;
  void setText(int i, std::string text);
  int data(int i) const;
  void setData(int i, int value);
  void insert(int i, std::string text);
  void erase(int i);
  void clear();
  // Where a sorted list puts `text`: after every item that is not greater,
  // comparing case-insensitively.
  int sortedPosition(std::string_view text) const;
  // Appends `texts` in their order; with `sorted`, then puts every item in
  // order with one stable sort (the order that adding them one by one at
  // their sorted places gives): a list already in order is only looked
  // through. The ItemData of the items stay with them.
  void append(std::vector<std::string> texts, bool sorted);
  // The same with texts that live in `owner`, which the list keeps alive
  // while it holds them.
  void append(const std::vector<std::string_view>& texts, std::shared_ptr<const void> owner, bool sorted);

 private:
  // 24 bytes: the text's place and length, the ItemData, and the text itself
  // when the item holds it (on the heap, so that moving the item keeps it).
  struct Item {
    const char* begin = nullptr;
    uint32_t length = 0;
    int data = 0;
    std::unique_ptr<std::string> own;
    std::string_view text() const { return {begin, length}; }
    static Item holding(std::string text);
    static Item referring(std::string_view text) { return {text.data(), static_cast<uint32_t>(text.size()), 0, {}}; }
  };
  const Item& at(int i) const;
  Item& at(int i);
  // Block and offset of item i; remembers the block for the next look-up.
  std::pair<size_t, int> locate(int i) const;
  void appendItems(std::vector<Item> added, bool sorted);
  // Puts `count` items, make(k) the k-th, after the last item, straight into
  // the blocks.
  template <class Make>
  void appendInOrder(size_t count, Make make);

  using Block = std::vector<Item>;
  std::vector<Block> blocks_;
  std::vector<std::shared_ptr<const void>> owners_;
  int size_ = 0;
  mutable size_t cachedBlock_ = 0;
  mutable int cachedStart_ = 0;
};

// List texts compare with case ignored (Windows-1252 letters folded).
using platform::compareNoCase;
using platform::foldNoCase;
using platform::startsWithNoCase;

// The list part shared by ListBox and ComboBox.
class ListPart {
 public:
  // Adds at the sorted place (Sorted) or at the end; with an index, at that
  // index (0 to ListCount, else FormsError). NewIndex tells where it went.
  void AddItem(const std::string& item);
  void AddItem(const std::string& item, int index);
  // Adds many items at once, as AddItem of each in turn would (at their
  // sorted places in a Sorted list, else at the end), but sorts once and
  // tells the view once: the way to fill a list from a file. NewIndex is the
  // place of the last item added (-1 when none).
  void AddItems(std::vector<std::string> items);
  // The same with texts that live in `owner` (kept alive while the list
  // holds them) instead of copies.
  void AddItems(const std::vector<std::string_view>& items, std::shared_ptr<const void> owner);
  void RemoveItem(int index);
  void Clear();
  // The text of an item; "" for an index outside the list (as VB's List(-1)).
  std::string List(int index) const;
  // The same without a copy: valid while the item stays in the list.
  std::string_view ListText(int index) const;
  void setList(int index, const std::string& text);
  int ListCount() const { return items_.size(); }
  int NewIndex() const { return newIndex_; }
  int ItemData(int index) const;
  void setItemData(int index, int value);
  bool Sorted() const { return sorted_; }
  // Takes effect for the items added afterwards (VB sets it at design time).
  void setSorted(bool v) { sorted_ = v; }
  // The first item from `start` + 1 on (wrapping round) whose text begins
  // with `prefix`, case ignored, as CB_FINDSTRING / LB_FINDSTRING; -1 when
  // none. start = -1 searches from the top. An empty prefix matches nothing
  // (-1): a box emptied or reset to " " never pulls in an item by itself.
  int FindString(std::string_view prefix, int start = -1) const;
  // -1 = nothing selected. Setting it raises Click when it really changes;
  // an index outside -1 .. ListCount-1 is refused with FormsError.
  int ListIndex() const { return listIndex_; }
  void setListIndex(int index);

 protected:
  ListPart() = default;
  ~ListPart() = default;
  virtual void selectionChanged() = 0;  // ListIndex changed: show it, raise Click
  virtual void listChanged() = 0;       // items changed: tell the view
  virtual void cleared() {}             // Clear emptied the list
  // The next item after the selection starting with `ch` (typed letters).
  void selectByLetter(int keyAscii);
  void moveSelection(int keyCode, int pageRows);
  // The row an arrow, page key, Home or End leads to (outside the list when
  // it goes past an end), and the direction it goes in; kNoMove for another key.
  static constexpr int kNoMove = -1000000;
  int keyTarget(int keyCode, int pageRows, int& step) const;
  void setListIndexSilently(int index) { listIndex_ = index; }
  // AddItems of `count` items ending with `last`, which `append` adds (at
  // their sorted places when it is told so).
  void appendItems(const std::string& last, int count, const std::function<void(bool sorted)>& append);

  ListItems items_;
  int listIndex_ = -1;
  int newIndex_ = -1;
  bool sorted_ = false;
};

class ListBox : public Control, public ListPart {
 public:
  ListBox();
  int TopIndex() const { return topIndex_; }
  // Clamped to 0 .. ListCount - 1.
  void setTopIndex(int index);
  // The user scrolled the list (wheel, its own scroll bar): TopIndex moved.
  std::function<void()> Scroll;
  // LB_SETTABSTOPS: tab positions in dialog units (4 per average character).
  const std::vector<int>& tabStops() const { return tabStops_; }
  void setTabStops(std::vector<int> stops);
  // Pixels: an item is one line of the font; the client area is the
  // control less a 2-pixel border on each side.
  int itemHeight() const;
  int clientHeightPx() const;

  bool focusable() const override { return true; }
  void keyAction(int keyCode, int shift) override;  // arrows, Home, End, pages
  // A letter selects the next row with that first letter; Space selects the
  // highlighted row (the first when none is selected); Enter takes it as a
  // double click does (Click, then DblClick).
  void charAction(int keyAscii) override;
  // A click on a list picks a row (input::pickRow): the click itself does nothing.
  void clickAction() override {}
  // Rows of blanks and tabs only are separator lines: the keys step over
  // them and a click on one changes nothing. Off by default.
  bool SeparatorLines() const { return separatorLines_; }
  void setSeparatorLines(bool v) { separatorLines_ = v; }
  bool isSeparator(int row) const;

 protected:
  void selectionChanged() override;
  void listChanged() override;

 private:
  int topIndex_ = 0;
  std::vector<int> tabStops_;
  bool separatorLines_ = false;
  int firstRow() const;  // the first row that is not a separator, -1 for none
};

// Style vbComboDropDown (0): an edit box with a list; vbComboDropDownList
// (2): the list alone, typed letters select by first letter.
class ComboBox : public EditControl, public ListPart {
 public:
  int Style() const { return style_; }
  void setStyle(int style);
  // Style 2: selects the item with that text (case ignored), FormsError when
  // there is none. Style 0: an edit of the text (ListIndex goes to -1 when the
  // text no longer is the selected item's).
  void setText(const std::string& text) override;

  void keyAction(int keyCode, int shift) override;  // Up/Down move the selection
  void charAction(int keyAscii) override;
  // The edit menu of the box of style 0; none for a list alone.
  void contextMenuAction() override;
  // Click belongs to the selection (input::pickRow), not to a click on the box.
  void clickAction() override {}

 protected:
  bool editable() const override { return style_ == vbComboDropDown && !locked_; }
  void textEdited() override;
  void selectionChanged() override;
  void listChanged() override;
  // Clear empties the edit part too (without Change).
  void cleared() override;

 private:
  int style_ = vbComboDropDown;
};

// Files of one folder matching a pattern, sorted alphabetically, case ignored.
class FileListBox : public ListBox {
 public:
  const std::string& Path() const { return path_; }
  // Rereads the folder; FormsError when it cannot be read.
  void setPath(const std::string& path);
  // "*.dat", "*.pdf;*.fdf": wildcards * and ?, case ignored.
  const std::string& Pattern() const { return pattern_; }
  void setPattern(const std::string& pattern);
  void Refresh();
  // The selected file name, "" when none.
  std::string FileName() const { return List(ListIndex()); }

 private:
  std::string path_;
  std::string pattern_ = "*.*";
};

// --- Scroll bar, timer, picture box ---------------------------------------------

class VScrollBar : public Control {
 public:
  int Min() const { return min_; }
  int Max() const { return max_; }
  // A new range brings Value inside it (raising Change when it moves).
  void setMin(int v);
  void setMax(int v);
  int SmallChange() const { return smallChange_; }
  void setSmallChange(int v) { smallChange_ = v; }
  int LargeChange() const { return largeChange_; }
  void setLargeChange(int v) { largeChange_ = v; }
  int Value() const { return value_; }
  // Raises Change when it really changes; a value outside Min..Max is
  // refused with FormsError.
  void setValue(int v);

  std::function<void()> Change;
  std::function<void()> Scroll;  // while the thumb is dragged

  bool focusable() const override { return true; }
  void keyAction(int keyCode, int shift) override;  // arrows and pages
  // For the input pipeline: the thumb dragged to `v` (Scroll), or released
  // there (Change).
  void dragTo(int v, bool released);

 private:
  int clamp(int v) const;
  void step(int delta);
  bool dragging_ = false;
  int dragStart_ = 0;
  int min_ = 0, max_ = 32767;
  int smallChange_ = 1, largeChange_ = 1;
  int value_ = 0;
};

class TimerControl : public Control {  // VB's Timer (Timer is its event)
 public:
  TimerControl();
  ~TimerControl() override;
  // Milliseconds; 0 stops the timer.
  int Interval() const { return interval_; }
  void setInterval(int ms);
  // Enabled by default (as VB). Enabling again restarts the count.
  void setEnabled(bool v) override;
  // Enabled, an interval above 0 and its form loaded.
  bool running() const;

  std::function<void()> Timer;

  // The desktop's bookkeeping: when the next tick is due.
  int64_t dueMs = 0;

 private:
  int interval_ = 0;
};
using Timer = TimerControl;

class PictureBox : public Control, public Container, public Canvas {
 public:
  PictureBox();
  // vbAlignNone, vbAlignTop, vbAlignBottom: an aligned picture box spans the
  // form's width at its top or bottom and takes that room from the client
  // area (an MDI frame hosts its page between them).
  int Align() const { return align_; }
  void setAlign(int a);
  int BorderStyle() const { return borderStyle_; }
  // 0 none, 1 fixed single (2 pixels on every side).
  void setBorderStyle(int s);
  // With AutoSize the box takes the size of its Picture.
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool v);
  // Setting BackColor clears the image (as VB does).
  void setBackColor(Color c) override;
  void setPicture(const forms::Image& picture);
  using Canvas::Picture;

  std::function<void()> Resize;

  Form& containerForm() override { return form(); }
  Control* asControl() override { return this; }
  // Takes the focus when clicked or by SetFocus; in the tab order only when
  // TabStop is set (it is not by default: picture boxes here are containers).
  bool focusable() const override { return true; }

 protected:
  Color BackColorOfCanvas() const override { return backColor_; }
  Color ForeColorOfCanvas() const override { return foreColor_; }
  const Font& FontOfCanvas() const override { return font_; }
  int clientWidthPx() const override;
  int clientHeightPx() const override;
  void canvasChanged() override { notify(What::Picture); }
  void moved(bool resized) override;

 private:
  int align_ = vbAlignNone;
  int borderStyle_ = 1;
  bool autoSize_ = false;
};

// --- Pop-up menu ---------------------------------------------------------------

class MenuItem {
 public:
  explicit MenuItem(std::string caption) : caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }
  void setCaption(std::string c) { caption_ = std::move(c); }
  bool Enabled() const { return enabled_; }
  void setEnabled(bool v) { enabled_ = v; }
  bool Visible() const { return visible_; }
  void setVisible(bool v) { visible_ = v; }
  bool Checked() const { return checked_; }
  void setChecked(bool v) { checked_ = v; }
  std::function<void()> Click;

 private:
  std::string caption_;
  bool enabled_ = true, visible_ = true, checked_ = false;
};

// A menu shown with Form::PopupMenu.
class Menu {
 public:
  MenuItem& add(const std::string& caption);
  // The visible and enabled item with this caption ("&" ignored), or nullptr.
  MenuItem* find(std::string_view caption);
  const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

 private:
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// The caption without its "&" markers ("&&" stays one "&").
std::string stripAccessKey(std::string_view caption);
// The access-key letter of a caption in upper case, 0 for none.
char accessKey(std::string_view caption);

}  // namespace forms
