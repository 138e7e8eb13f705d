#pragma once
// The base of every window and control: geometry in twips, visibility,
// enabled state, colours, font, mouse events and the hook the front end uses
// to follow every change (View).
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "forms/Constants.h"
#include "forms/FontEngine.h"

namespace forms {

class Control;
class Element;
class Form;

// A misuse of the form layer that the caller can catch: a missing index of a
// control array, an invalid property value, input to a window that refuses it.
class FormsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What changed in an element, for the front end.
enum class What {
  Geometry,  // Left, Top, Width, Height
  Visible,
  Enabled,
  Text,       // Text of a text box or combo, Caption
  Value,      // CheckBox/OptionButton/VScrollBar value, Timer settings
  List,       // items of a list or combo
  Selection,  // ListIndex, TopIndex, SelStart/SelLength
  Focus,
  Appearance,  // colours, font, alignment, border, pointer, tool tip, ...
  Picture,     // the image of a picture box, form or image control
};

// Installed by the front end on an element to hear of every change of its
// model. Without a view nothing is called.
class View {
 public:
  virtual ~View() = default;
  virtual void changed(Element& element, What what) = 0;
};

namespace detail {
// Raises an event: calls the handler when one is wired.
template <class F, class... A>
void raise(const F& handler, A&&... args) {
  if (handler) handler(std::forward<A>(args)...);
}
}  // namespace detail

// What forms and controls share.
class Element {
 public:
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;
  virtual ~Element() = default;

  // Geometry in twips (of the container for a control, of the screen for a form).
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void setLeft(int v) { Move(v, top_, width_, height_); }
  void setTop(int v) { Move(left_, v, width_, height_); }
  void setWidth(int v) { Move(left_, top_, v, height_); }
  void setHeight(int v) { Move(left_, top_, width_, v); }
  void Move(int left, int top) { Move(left, top, width_, height_); }
  virtual void Move(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  virtual void setVisible(bool v);
  bool Enabled() const { return enabled_; }
  virtual void setEnabled(bool v);

  Color BackColor() const { return backColor_; }
  virtual void setBackColor(Color c);
  Color ForeColor() const { return foreColor_; }
  void setForeColor(Color c);

  const Font& font() const { return font_; }
  void setFont(const Font& f);
  const std::string& FontName() const { return font_.name; }
  void setFontName(const std::string& name);
  double FontSize() const { return font_.size; }
  void setFontSize(double points);
  bool FontBold() const { return font_.bold; }
  void setFontBold(bool bold);

  int MousePointer() const { return mousePointer_; }
  void setMousePointer(int pointer);

  View* view() const { return view_; }
  void setView(View* view) { view_ = view; }

  std::function<void()> Click;
  std::function<void()> DblClick;
  // X and Y in the element's scale units (twips, or pixels for a picture box
  // or form whose ScaleMode is vbPixels).
  std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
  std::function<void(int Button, int Shift, float X, float Y)> MouseMove;
  std::function<void(int Button, int Shift, float X, float Y)> MouseUp;

 protected:
  Element() = default;
  friend class Application;
  void notify(What what);
  // After Move changed the geometry; `resized` when width or height changed.
  virtual void moved(bool resized) { (void)resized; }
  virtual void fontChanged() {}

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  Color backColor_ = vbButtonFace;
  Color foreColor_ = vbButtonText;
  Font font_;
  int mousePointer_ = vbDefault;

 private:
  View* view_ = nullptr;
};

// What holds controls: the form itself, a Frame or a PictureBox.
class Container {
 public:
  virtual Form& containerForm() = 0;
  // The container as a control, nullptr for the form.
  virtual Control* asControl() = 0;

 protected:
  ~Container() = default;
};

// What a shared editor remembers about one control between two of its calls
// (an amount box's tentative comma, a combo's completion). The control owns
// it: it goes with the control, so a box created later, even at the same
// address, starts with nothing remembered.
class ControlState {
 public:
  virtual ~ControlState() = default;
};

// A control placed on a form.
class Control : public Element {
 public:
  ~Control() override;

  // Places the control on `parent` (the form, a Frame or a PictureBox) with
  // its designed geometry in twips. Until TabIndex is set, the tab order is
  // the order of creation.
  void create(Container& parent, int left, int top, int width, int height);
  // For controls without geometry (TimerControl).
  void create(Container& parent) { create(parent, 0, 0, 0, 0); }

  // Whether create() placed the control.
  bool placed() const { return form_ != nullptr; }
  Form& form() const;
  Container& container() const;
  // The Frame or PictureBox that holds the control, nullptr on the form.
  Control* containerControl() const;
  // The index in its ControlArray, -1 for a control on its own.
  int Index() const { return index_; }

  int TabIndex() const { return tabIndex_; }
  void setTabIndex(int v) { tabIndex_ = v; }
  bool TabStop() const { return tabStop_; }
  void setTabStop(bool v) { tabStop_ = v; }
  const std::string& ToolTipText() const { return toolTipText_; }
  void setToolTipText(const std::string& text);

  void setVisible(bool v) override;
  void setEnabled(bool v) override;

  // Moves the focus here. Fails softly (returns false, nothing happens) when
  // the control cannot take the focus.
  bool SetFocus();
  bool hasFocus() const;
  // A kind of control that takes the focus, enabled and visible together
  // with every container up to a shown form.
  bool canTakeFocus() const;
  // Visible / enabled with every container up to the form (the form's own
  // state not included).
  bool shownInForm() const;
  bool enabledInForm() const;

  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  // KeyCode = 0 drops the key's own action (caret moves, Delete, list moves);
  // a character key still reaches KeyPress, as in VB.
  std::function<void(int& KeyCode, int Shift)> KeyDown;
  std::function<void(int& KeyCode, int Shift)> KeyUp;
  // KeyAscii = 0 refuses the character; another code replaces it.
  std::function<void(int& KeyAscii)> KeyPress;

  // For the input pipeline (forms/UserInput.h) and the tab order.
  virtual bool focusable() const { return false; }
  // The control has just taken the focus (before GotFocus).
  virtual void focusArrived() {}
  virtual bool isTabStop() const { return tabStop_; }
  // The default action of a key that KeyDown left alone.
  virtual void keyAction(int keyCode, int shift) { (void)keyCode, (void)shift; }
  // The default action of a character that KeyPress left alone.
  virtual void charAction(int keyAscii) { (void)keyAscii; }
  // A keystroke to the control begins (before KeyDown; `keyAscii` as typed)
  // and ends (after its KeyPress and editing, before KeyUp).
  virtual void keyStarting(int keyAscii) { (void)keyAscii; }
  virtual void keyDone() {}
  // A character that no box takes (outside Windows-1252, a control
  // character) was typed while the control had the focus.
  virtual void refusedChar() {}
  // A click of the user (after the focus moved): raises Click, or changes
  // the value that raises it.
  virtual void clickAction() { detail::raise(Click); }
  // The right button released over the control, or the menu key: the
  // control's own pop-up menu, when it has one.
  virtual void contextMenuAction() {}
  // The caption that holds the "&" access key, empty for none.
  virtual const std::string& accessCaption() const;
  // Creation order within the form.
  long creationOrder() const { return order_; }

  // The editor state of type T kept on this control, made empty on first use
  // (a state of another type is replaced: one editor serves a control).
  template <class T>
  T& editorState() {
    if (T* found = dynamic_cast<T*>(editorState_.get())) return *found;
    auto fresh = std::make_unique<T>();
    T& state = *fresh;
    editorState_ = std::move(fresh);
    return state;
  }

 protected:
  Control() = default;

 private:
  friend class Form;
  template <class T>
  friend class ControlArray;

  Container* parent_ = nullptr;
  Form* form_ = nullptr;
  int tabIndex_ = 0;
  bool tabStop_ = true;
  int index_ = -1;
  long order_ = 0;
  std::string toolTipText_;
  std::unique_ptr<ControlState> editorState_;
};

}  // namespace forms
