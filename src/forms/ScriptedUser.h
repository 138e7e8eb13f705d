#pragma once
// A user for window tests: everything goes through forms/UserInput.h, so the
// window sees the same events as with a person at the keyboard.
//
//   forms::ScriptedUser user;
//   user.type(form.Text3, "1234,5");   // focus Text3, then every key
//   user.pressEnter();                  // KeyPress 13 -> SendKeys {TAB}
//   user.click(form.Command1);          // LostFocus of Text3, then Click
#include <string_view>

#include "forms/UserInput.h"

namespace forms {

class ScriptedUser {
 public:
  // Types each character into the focused control (or into `c`, after
  // moving the focus there): KeyDown, KeyPress, editing, Change, KeyUp.
  // "\t" is Tab, "\r" or "\n" Enter; characters are UTF-8 (KeyAscii holds
  // the Windows-1252 code); one that Windows-1252 lacks, or another control
  // character, is typed as the screen types it: refused (input::refusedChar).
  void type(std::string_view text);
  void type(Control& c, std::string_view text);
  // One key by its KeyCode (vbKeyDelete, vbKeyLeft, ...), with Shift flags;
  // Backspace, Enter, Esc, space, letters and digits give their KeyPress
  // too, and Ctrl+C / Ctrl+X / Ctrl+V give KeyPress 3 / 24 / 22.
  void key(int keyCode, int shift = 0);
  void key(Control& c, int keyCode, int shift = 0);
  void pressTab() { key(vbKeyTab); }
  void pressShiftTab() { key(vbKeyTab, vbShiftMask); }
  void pressEnter() { key(vbKeyReturn); }
  void pressEsc() { key(vbKeyEscape); }
  // Alt + the "&" letter of a caption.
  void pressAlt(char letter);

  void focus(Control& c) { input::focus(c); }
  void click(Control& c) { input::click(c); }
  void dblClick(Control& c) { input::dblClick(c); }
  void tick(CheckBox& c) { input::click(c); }
  void select(OptionButton& c) { input::click(c); }
  void pickRow(ListBox& list, int row) { input::pickRow(list, row); }
  void pickRow(ComboBox& combo, int row) { input::pickRow(combo, row); }
  void dblClickRow(ListBox& list, int row);
  // Drags the thumb to `value` in steps of one (Scroll at each), then
  // releases it there (Change).
  void dragScroll(VScrollBar& bar, int value);
  // Turns the wheel over a list: `rows` rows down (up when negative).
  void wheel(ListBox& list, int rows) { input::scroll(list, list.TopIndex() + rows); }
  void mouseDown(Control& c, float x, float y, int button = vbLeftButton, int shift = 0) {
    input::mouseDown(c, button, shift, x, y);
  }
  void mouseMove(Control& c, float x, float y, int button = 0, int shift = 0) {
    input::mouseMove(c, button, shift, x, y);
  }
  void mouseUp(Control& c, float x, float y, int button = vbLeftButton, int shift = 0) {
    input::mouseUp(c, button, shift, x, y);
  }
  // A whole mouse click at (x, y), as the screen gives it: press, release,
  // then Click.
  void mouseClick(Control& c, float x, float y) {
    input::mouseDown(c, vbLeftButton, 0, x, y);
    input::mouseUp(c, vbLeftButton, 0, x, y);
    input::releaseClick(c);
  }
  void close(Form& form) { input::close(form); }
  // The right button over a control: its pop-up menu (HeadlessDesktop's
  // expectPopupMenu picks the item).
  void rightClick(Control& c) { input::contextMenu(c); }
};

}  // namespace forms
