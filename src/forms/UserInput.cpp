#include "forms/UserInput.h"

#include <cctype>
#include <type_traits>

#include "forms/Application.h"

namespace forms::input {

namespace {

// Refuses input that the user could not give.
void check(Control& c) {
  Application& a = app();
  if (a.ended()) throw FormsError("the program has ended");
  Form& f = c.form();
  if (!a.acceptsInput(f))
    throw FormsError("the window \"" + f.Caption() +
                     "\" takes no input now (hidden, disabled or behind a modal window)");
  if (!c.shownInForm() || !c.enabledInForm()) throw FormsError("the control is hidden or disabled");
}

bool stillThere(Control& c) {
  return c.form().isLoaded() && c.shownInForm() && c.enabledInForm() && app().acceptsInput(c.form());
}

void accelerator(Form& f, int keyCode) {
  const char letter = static_cast<char>(std::toupper(keyCode & 0xFF));
  Control* target = nullptr;
  for (Control* c : f.controls()) {
    if (accessKey(c->accessCaption()) != letter || !c->shownInForm() || !c->enabledInForm()) continue;
    if (!target ||
        std::pair(c->TabIndex(), c->creationOrder()) < std::pair(target->TabIndex(), target->creationOrder()))
      target = c;
  }
  if (!target) return;
  if (target->focusable()) app().moveFocus(*target);
  if (stillThere(*target)) target->clickAction();
}

void clickOnce(Control& c) {
  check(c);
  if (c.focusable()) app().moveFocus(c);
  if (stillThere(c)) c.clickAction();
}

// The other keys of the clipboard in a box: Shift+Insert pastes, Ctrl+Insert
// copies, Shift+Delete cuts, as Ctrl+V, Ctrl+C and Ctrl+X do.
void clipboardKey(const Control& c, int& keyCode, int& shift, int& keyAscii) {
  if (!dynamic_cast<const EditControl*>(&c)) return;
  const auto as = [&](int code, int ascii) {
    keyCode = code;
    shift = vbCtrlMask;
    keyAscii = ascii;
  };
  if (keyCode == vbKeyInsert && shift == vbShiftMask) as(vbKeyV, 22);
  if (keyCode == vbKeyInsert && shift == vbCtrlMask) as(vbKeyC, 3);
  if (keyCode == vbKeyDelete && shift == vbShiftMask) as(vbKeyX, 24);
}

bool frameKeyTaken(Form* f, int keyCode, int shift) {
  Form* frame = frameOf(f);
  if (!frame || !frame->FrameKey || !frame->FrameKey(keyCode, shift)) return false;
  app().processSentKeys();
  return true;
}

}  // namespace

Form* frameOf(Form* f) {
  if (!f) return nullptr;
  return f->isMDIForm() ? f : f->mdiFrame();
}

void frameKey(Form& frame, int keyCode, int shift) {
  Application& a = app();
  Application::Dispatch d;
  if (a.ended()) throw FormsError("the program has ended");
  if (!frame.isMDIForm()) throw FormsError("the window \"" + frame.Caption() + "\" is not a frame");
  if (a.focused()) throw FormsError("a control has the focus: its keys go through key()");
  if (!a.acceptsInput(frame)) throw FormsError("the window \"" + frame.Caption() + "\" takes no input now");
  frameKeyTaken(&frame, keyCode, shift);
}

void key(int keyCode, int shift, int keyAscii) {
  Application& a = app();
  Application::Dispatch d;
  Control* c = a.focused();
  if (!c) throw FormsError("no control has the focus");
  check(*c);
  if (keyCode == vbKeyTab && !(shift & (vbCtrlMask | vbAltMask))) return a.tab(!(shift & vbShiftMask));
  if (frameKeyTaken(&c->form(), keyCode, shift)) return;
  if (shift & vbAltMask) return accelerator(c->form(), keyCode);
  if (keyCode == vbKeyEscape && shift == 0 && c->form().EscapeCloses()) {
    a.unload(c->form(), vbFormControlMenu);
    return;
  }
  clipboardKey(*c, keyCode, shift, keyAscii);

  {
    // The keystroke ends for the control however its handlers end.
    struct Fine {
      Control& c;
      ~Fine() { c.keyDone(); }
    };
    int code = keyCode;
    c->keyStarting(keyAscii);
    const Fine fine{*c};
    detail::raise(c->KeyDown, code, shift);
    if (code != 0 && c->form().isLoaded()) c->keyAction(code, shift);
    if (keyAscii != 0 && c->form().isLoaded()) {
      int ascii = keyAscii;
      detail::raise(c->KeyPress, ascii);
      if (ascii != 0 && c->form().isLoaded()) c->charAction(ascii);
    }
  }
  // Keys sent from the handlers come before the release of this key, which
  // goes to the control that has the focus by then.
  a.processSentKeys();
  if (Control* up = a.focused()) {
    int released = keyCode;
    detail::raise(up->KeyUp, released, shift);
  }
}

void refusedChar() {
  Application::Dispatch d;
  Control* c = app().focused();
  if (!c) throw FormsError("no control has the focus");
  check(*c);
  c->refusedChar();
}

void focus(Control& c) {
  Application::Dispatch d;
  check(c);
  if (!c.focusable()) throw FormsError("this kind of control takes no focus");
  app().moveFocus(c);
}

void click(Control& c) {
  Application::Dispatch d;
  clickOnce(c);
}

void contextMenu(Control& c) {
  Application::Dispatch d;
  check(c);
  if (c.focusable()) app().moveFocus(c);
  if (stillThere(c)) c.contextMenuAction();
}

void dblClick(Control& c) {
  Application::Dispatch d;
  clickOnce(c);
  if (stillThere(c)) detail::raise(c.DblClick);
}

template <class List>
void pick(List& list, int row) {
  Application::Dispatch d;
  check(list);
  if (row < 0 || row >= list.ListCount()) throw FormsError("no row " + std::to_string(row) + " in the list");
  app().moveFocus(list);
  if constexpr (std::is_same_v<List, ListBox>)
    if (list.isSeparator(row)) return;  // a separator line is never picked
  if (stillThere(list)) list.setListIndex(row);
}

void pickRow(ListBox& list, int row) { pick(list, row); }
void pickRow(ComboBox& combo, int row) { pick(combo, row); }

void scroll(VScrollBar& bar, int value, bool released) {
  Application::Dispatch d;
  check(bar);
  app().moveFocus(bar);
  if (stillThere(bar)) bar.dragTo(value, released);
}

void scroll(ListBox& list, int top) {
  Application::Dispatch d;
  check(list);
  const int before = list.TopIndex();
  list.setTopIndex(top);
  if (list.TopIndex() != before) detail::raise(list.Scroll);
}

void mouseDown(Control& c, int button, int shift, float x, float y) {
  Application::Dispatch d;
  check(c);
  if (c.focusable()) app().moveFocus(c);
  if (stillThere(c)) detail::raise(c.MouseDown, button, shift, x, y);
}

void mouseMove(Control& c, int button, int shift, float x, float y) {
  Application::Dispatch d;
  check(c);
  detail::raise(c.MouseMove, button, shift, x, y);
}

void mouseUp(Control& c, int button, int shift, float x, float y) {
  Application::Dispatch d;
  check(c);
  detail::raise(c.MouseUp, button, shift, x, y);
}

void releaseClick(Control& c, bool dbl) {
  Application::Dispatch d;
  // The press or the release may have ended the program, closed the window
  // or hidden the control: then the click has nothing left to reach.
  if (app().ended() || !stillThere(c)) return;
  c.clickAction();
  if (dbl && stillThere(c)) detail::raise(c.DblClick);
}

void close(Form& form) {
  Application::Dispatch d;
  if (!app().acceptsInput(form)) throw FormsError("the window \"" + form.Caption() + "\" takes no input now");
  app().unload(form, vbFormControlMenu);
}

void paint(Canvas& canvas) {
  Application::Dispatch d;
  if (!canvas.AutoRedraw()) detail::raise(canvas.Paint);
}

}  // namespace forms::input
