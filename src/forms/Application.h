#pragma once
// The application object: owns the default instance of every window, the
// focus, the modal windows and the keystrokes sent with SendKeys. The
// program derives its own application object (with its shared variables)
// from it; app() reaches the one that exists.
#include <deque>
#include <functional>
#include <memory>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "forms/Desktop.h"

namespace forms {

class Control;
class Form;
class TimerControl;

class Application {
 public:
  // Told of forms coming and going, so that the front end can build and
  // drop their widgets.
  class Observer {
   public:
    virtual ~Observer() = default;
    virtual void formLoaded(Form& form) = 0;            // after construction, before Form_Load
    virtual void formUnloaded(Form& form) = 0;          // it is destroyed later
    virtual void controlAdded(Control& control) = 0;    // placed on a loaded form
    virtual void controlRemoved(Control& control) = 0;  // about to be destroyed
  };

  // Marks a call from the user or the desktop into the windows (an input,
  // a timer tick, a scripted action). When the outermost one ends, the keys
  // sent with SendKeys are typed and the unloaded forms destroyed.
  class Dispatch {
   public:
    Dispatch();
    // Types the sent keys (their handlers may throw) unless an exception is
    // already on its way out.
    ~Dispatch() noexcept(false);
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;
  };

  // The desktop must outlive the application.
  explicit Application(Desktop& desktop);
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Desktop& desktop() const { return desktop_; }

  // The default instance of window T; the first use creates it and loads it
  // (an MDI child loads its frame first, then Form_Load runs).
  template <class T>
  T& form() {
    static_assert(std::is_base_of_v<Form, T>);
    auto it = forms_.find(typeid(T));
    if (it != forms_.end()) return static_cast<T&>(*it->second);
    return static_cast<T&>(load(typeid(T), [] { return std::unique_ptr<Form>(new T()); }));
  }
  template <class T>
  bool isLoaded() const {
    return forms_.count(typeid(T)) != 0;
  }
  // The frame that hosts the pages (an MDI form), named once by the program
  // when it starts; frame() is its default instance, created and loaded on
  // first use. Pages reach their frame through it without naming its type.
  template <class F>
  void setFrame() {
    static_assert(std::is_base_of_v<Form, F>);
    frame_ = [this]() -> Form& { return form<F>(); };
  }
  bool hasFrame() const { return static_cast<bool>(frame_); }
  // Throws std::logic_error when no frame was named.
  Form& frame();
  // Unloads window T when it is loaded; nothing otherwise.
  template <class T>
  void unload() {
    auto it = forms_.find(typeid(T));
    if (it != forms_.end()) unload(*it->second);
  }
  // Unload (Unload Me): QueryUnload, then for an MDI frame every child page,
  // then Unload; false when one of them cancelled. The form is destroyed
  // after the outermost event handler has returned; the next form<T>()
  // makes a fresh one. A form that is not loaded is left alone.
  bool unload(Form& form, int unloadMode = vbFormCode);

  // Ends the program at once, without closing events: modal loops return,
  // input is refused from now on.
  void End();
  bool ended() const { return ended_; }

  Control* focused() const { return focused_; }
  // SetCapture / ReleaseCapture (nullptr): the control that gets every mouse
  // event wherever the pointer is; the front end routes the mouse to it.
  // nullptr when none; a destroyed control loses it.
  Control* capture() const { return capture_; }
  void setCapture(Control* c) { capture_ = c; }
  Form* activeForm() const { return activeForm_; }
  // The innermost modal window, nullptr when none is open.
  Form* modalForm() const { return modal_.empty() ? nullptr : modal_.back(); }
  // Whether the user can reach `form` now (shown, not behind a modal one).
  bool acceptsInput(const Form& form) const;

  // Queues "{TAB}" or "+{TAB}" (as many as given); they are typed after the
  // running handler returns, before any further input.
  void SendKeys(std::string_view keys);
  // Types what SendKeys queued.
  void processSentKeys();

  void setObserver(Observer* observer) { observer_ = observer; }
  Observer* observer() const { return observer_; }

  // --- for the form layer itself ---
  // Moves the focus: LostFocus of the old control, then GotFocus of the new
  // one; false when `to` cannot take the focus (or a LostFocus handler moved
  // the focus elsewhere).
  bool moveFocus(Control& to);
  // Forgets the focus without events (the control was hidden, disabled,
  // destroyed or its form hidden). When a control loses the focus so (or a
  // LostFocus handler disables the control the focus was going to), the
  // focus goes on to the next tab stop of its window once the running input
  // has been handled: the keyboard never ends up with no control.
  void dropFocus(const Control& c);
  void dropFocus(const Form& f);
  // The control is destroyed: it is forgotten as the place to go on from.
  void forgetControl(const Control& c);
  // Tab / Shift+Tab from the focused control.
  void tab(bool forward);
  // Makes `form` the active window (Activate) and gives it the focus.
  void activate(Form& form);
  void formHidden(Form& form);
  // The modal loop of `form`; afterwards `opener` (the window active before)
  // is activated again.
  void runModal(Form& form, Form* opener);
  // A tick of the timer (from the desktop's event loop).
  void fireTimer(TimerControl& timer);

 private:
  Form& load(std::type_index type, std::unique_ptr<Form> (*make)());
  // Gives the focus to the tab stop after the place where it was lost.
  void recoverFocus();
  void timersChanged(Form& form);

  Desktop& desktop_;
  std::unordered_map<std::type_index, std::unique_ptr<Form>> forms_;
  std::function<Form&()> frame_;
  std::vector<std::unique_ptr<Form>> unloaded_;
  std::vector<Form*> modal_;
  std::deque<bool> sentTabs_;  // true = Tab, false = Shift+Tab
  bool typingSentKeys_ = false;
  int dispatchDepth_ = 0;
  bool ended_ = false;
  Control* focused_ = nullptr;
  const Control* focusLostAt_ = nullptr;  // where the focus went missing, see dropFocus
  bool focusForward_ = true;              // false while a Shift+Tab is handled
  Control* capture_ = nullptr;
  Form* activeForm_ = nullptr;
  Observer* observer_ = nullptr;
};

// The application object in use (set by its constructor).
Application& app();
// desktop() of the application object.
Desktop& desktop();

// Shortcuts for window code.
int MsgBox(const std::string& prompt, int buttons = vbOKOnly, int icon = 0, const std::string& title = "");
std::string InputBox(const std::string& prompt, const std::string& title = "", const std::string& defaultText = "");
void Beep();
// The control flashes for a key it refused (Desktop::flashControl).
void FlashControl(const Control& control);
// A key the control refused: the bell and the flash.
void RefuseKey(const Control& control);
// While one lives, RefuseKey only counts the refusals: a paste, which types
// many characters, rings once at its end when nothing of it was taken.
class HeldRefusals {
 public:
  HeldRefusals();
  ~HeldRefusals();
  HeldRefusals(const HeldRefusals&) = delete;
  HeldRefusals& operator=(const HeldRefusals&) = delete;
  int count() const { return count_; }

 private:
  friend void RefuseKey(const Control& control);
  int count_ = 0;
  HeldRefusals* outer_;
};
void SendKeys(std::string_view keys);
void DoEvents();

}  // namespace forms
