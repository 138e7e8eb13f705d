#pragma once
// The entry points of the user's input into the windows. The front end calls
// them for what the user does on the screen; ScriptedUser calls them in
// tests. Each one refuses (FormsError) input that the user could not give:
// to a hidden or disabled control, to a window behind a modal one, after End.
#include "forms/Controls.h"
#include "forms/Form.h"

namespace forms::input {

// One keystroke to the focused control: KeyDown(KeyCode, Shift), then
// KeyPress(KeyAscii) when `keyAscii` is not 0, the control's own editing,
// Change, KeyUp. Tab / Shift+Tab move the focus; Alt+letter clicks the
// control whose caption has that "&" letter. Shift+Insert, Ctrl+Insert and
// Shift+Delete in a box are Ctrl+V, Ctrl+C and Ctrl+X. Esc closes a window
// that Esc closes (Form::EscapeCloses) as its close box does.
// A frame's own keys (Form::FrameKey) come before all that, from any
// control of the frame or of its pages.
void key(int keyCode, int shift, int keyAscii);
// The frame of `f` (f itself when it is one, nullptr for a dialog).
Form* frameOf(Form* f);
// A key to a frame where no control has the focus (it shows no page): only
// the frame's own keys act.
void frameKey(Form& frame, int keyCode, int shift);
// A character that no box takes (outside Windows-1252, or a control
// character such as ESC or NUL) typed into the focused control: a box
// refuses it with the beep, nothing is typed and no key event is raised.
void refusedChar();
// Moves the focus to `c` as a click on it would (LostFocus, GotFocus).
void focus(Control& c);
// Focus first (when the control takes it), then the control's click: Click
// of a button, a tick of a check box, selection of an option.
void click(Control& c);
void dblClick(Control& c);
// The right button released over the control (or the menu key): focus
// first, then the control's own pop-up menu (a box's edit menu).
void contextMenu(Control& c);
// Picks a row of a list or of a combo's drop-down (Click when it changes).
void pickRow(ListBox& list, int row);
void pickRow(ComboBox& combo, int row);
// The scroll bar's thumb moved to `value` while dragged (Scroll), or
// released there / set by an arrow or page click (Change).
void scroll(VScrollBar& bar, int value, bool released);
// The list scrolled by the wheel or its own scroll bar so that `top` is its
// first visible row (Scroll when it moves); the focus stays where it is.
void scroll(ListBox& list, int top);
// Mouse events at (x, y) in the control's scale units; a mouse-down on a
// control that takes the focus gives it the focus first.
void mouseDown(Control& c, int button, int shift, float x, float y);
void mouseMove(Control& c, int button, int shift, float x, float y);
void mouseUp(Control& c, int button, int shift, float x, float y);
// The Click (`dbl`: DblClick) that ends a mouse click released over the
// control: the press gave the control the focus already, so the focus stays
// where the handlers of the press and release left it (a toolbar's release
// that shows another page leaves it on that page). Nothing when the press or
// release ended the program or took the control away.
void releaseClick(Control& c, bool dbl = false);
// The window's close box: Unload with vbFormControlMenu.
void close(Form& form);
// Repaint request of the screen: raises Paint of a form or picture box
// whose AutoRedraw is off.
void paint(Canvas& canvas);

}  // namespace forms::input
