#include "forms/Application.h"

#include <exception>
#include <stdexcept>

#include "forms/Controls.h"
#include "forms/Form.h"

namespace forms {

namespace {
Application* current = nullptr;
}  // namespace

Application& app() {
  if (!current) throw FormsError("no application object");
  return *current;
}

Desktop& desktop() { return app().desktop(); }

int MsgBox(const std::string& prompt, int buttons, int icon, const std::string& title) {
  return desktop().MsgBox(prompt, buttons, icon, title);
}

std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  return desktop().InputBox(prompt, title, defaultText);
}

void Beep() { desktop().Beep(); }
void FlashControl(const Control& control) { desktop().flashControl(control); }

namespace {
HeldRefusals* heldRefusals = nullptr;
}  // namespace

HeldRefusals::HeldRefusals() : outer_(heldRefusals) { heldRefusals = this; }
HeldRefusals::~HeldRefusals() { heldRefusals = outer_; }

void RefuseKey(const Control& control) {
  if (heldRefusals) {
    ++heldRefusals->count_;
    return;
  }
  Beep();
  FlashControl(control);
}
void SendKeys(std::string_view keys) { app().SendKeys(keys); }
void DoEvents() { desktop().DoEvents(); }

// --- Dispatch ------------------------------------------------------------------

Application::Dispatch::Dispatch() {
  Application& a = app();
  if (a.dispatchDepth_++ == 0) a.focusForward_ = true;  // forward unless this input is a Shift+Tab
}

Application::Dispatch::~Dispatch() noexcept(false) {
  Application& a = app();
  struct Leave {
    Application& a;
    ~Leave() {
      if (--a.dispatchDepth_ == 0) a.unloaded_.clear();
    }
  } leave{a};
  if (std::uncaught_exceptions() > 0) {
    if (a.dispatchDepth_ == 1) a.sentTabs_.clear();
    return;
  }
  if (a.dispatchDepth_ == 1) a.processSentKeys();
  a.recoverFocus();
}

// --- lifetime ------------------------------------------------------------------

Application::Application(Desktop& desktop) : desktop_(desktop) {
  if (current) throw FormsError("an application object exists already");
  current = this;
}

Application::~Application() {
  observer_ = nullptr;
  focused_ = nullptr;
  activeForm_ = nullptr;
  unloaded_.clear();
  forms_.clear();
  current = nullptr;
}

void Application::timersChanged(Form& form) {
  for (Control* c : form.controls())
    if (auto* t = dynamic_cast<TimerControl*>(c)) desktop_.timerChanged(*t);
}

Form& Application::frame() {
  if (!frame_) throw std::logic_error("the program named no frame for its pages");
  Form& f = frame_();
  if (!f.isMDIForm()) throw std::logic_error("the frame of the pages is not an MDI form");
  return f;
}

Form& Application::load(std::type_index type, std::unique_ptr<Form> (*make)()) {
  std::unique_ptr<Form> owned = make();
  Form& f = *owned;
  forms_.emplace(type, std::move(owned));
  f.loaded_ = true;
  Observer* told = nullptr;  // the observer that heard of the form
  try {
    if (f.loadFrame_) f.mdiFrame_ = &f.loadFrame_();
    timersChanged(f);
    if (observer_) (told = observer_)->formLoaded(f);
    detail::raise(f.Load);
  } catch (...) {
    // A window whose loading failed is not left behind half loaded.
    f.loaded_ = false;
    timersChanged(f);
    if (told) told->formUnloaded(f);
    auto it = forms_.find(type);
    if (it != forms_.end() && it->second.get() == &f) {
      unloaded_.push_back(std::move(it->second));
      forms_.erase(it);
    }
    throw;
  }
  return f;
}

bool Application::unload(Form& f, int unloadMode) {
  if (!f.loaded_ || f.unloading_) return true;
  f.unloading_ = true;
  struct Reset {
    Form& f;
    ~Reset() { f.unloading_ = false; }
  } reset{f};

  int cancel = 0;
  detail::raise(f.QueryUnload, cancel, unloadMode);
  if (cancel) return false;
  if (f.isMDIForm()) {
    std::vector<Form*> children;
    for (auto& [type, form] : forms_)
      if (form->mdiFrame_ == &f) children.push_back(form.get());
    for (Form* child : children)
      if (!unload(*child, vbFormMDIForm)) return false;
  }
  cancel = 0;
  detail::raise(f.Unload, cancel);
  if (cancel) return false;

  f.loaded_ = false;
  if (f.visible_) {
    f.visible_ = false;
    f.notify(What::Visible);
  }
  formHidden(f);
  if (f.mdiFrame_ && f.mdiFrame_->activeChild_ == &f) f.mdiFrame_->activeChild_ = nullptr;
  timersChanged(f);
  for (auto it = forms_.begin(); it != forms_.end(); ++it) {
    if (it->second.get() != &f) continue;
    unloaded_.push_back(std::move(it->second));
    forms_.erase(it);
    break;
  }
  if (observer_) observer_->formUnloaded(f);
  return true;
}

void Application::End() {
  ended_ = true;
  sentTabs_.clear();
  desktop_.quit();
}

bool Application::acceptsInput(const Form& f) const {
  return !ended_ && f.isShown() && f.Enabled() && (modal_.empty() || &f == modal_.back());
}

// --- keys sent -----------------------------------------------------------------

void Application::SendKeys(std::string_view keys) {
  while (!keys.empty()) {
    if (keys.starts_with("+{TAB}")) {
      sentTabs_.push_back(false);
      keys.remove_prefix(6);
    } else if (keys.starts_with("{TAB}")) {
      sentTabs_.push_back(true);
      keys.remove_prefix(5);
    } else {
      throw FormsError("SendKeys: unsupported keys \"" + std::string(keys) + "\"");
    }
  }
  if (dispatchDepth_ == 0) processSentKeys();
}

void Application::processSentKeys() {
  if (typingSentKeys_) return;
  typingSentKeys_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{typingSentKeys_};
  while (!sentTabs_.empty()) {
    const bool forward = sentTabs_.front();
    sentTabs_.pop_front();
    tab(forward);
  }
}

// --- focus and activation ------------------------------------------------------

bool Application::moveFocus(Control& to) {
  if (ended_ || !to.canTakeFocus()) return false;
  if (focused_ == &to) return true;
  if (Control* old = focused_) {
    focused_ = nullptr;
    old->notify(What::Focus);
    detail::raise(old->LostFocus);
    if (focused_) return focused_ == &to;  // the handler moved the focus itself
    if (!to.canTakeFocus()) {
      focusLostAt_ = &to;  // e.g. a corrected value disabled the next box
      return false;
    }
  }
  focused_ = &to;
  to.form().activeControl_ = &to;
  to.focusArrived();
  to.notify(What::Focus);
  detail::raise(to.GotFocus);
  return true;
}

void Application::dropFocus(const Control& c) {
  if (focused_ != &c) return;
  focused_ = nullptr;
  focusLostAt_ = &c;
}

void Application::forgetControl(const Control& c) {
  if (focusLostAt_ == &c) focusLostAt_ = nullptr;
}

void Application::recoverFocus() {
  const Control* from = focusLostAt_;
  focusLostAt_ = nullptr;
  if (focused_ || !from || ended_ || !activeForm_) return;
  Form* f = activeForm_;
  if (f->isMDIForm() && f->activeChild_ && f->activeChild_->isShown()) f = f->activeChild_;
  if (!acceptsInput(*f) || &from->form() != f) return;
  if (Control* next = f->nextTabStop(from, focusForward_)) moveFocus(*next);
}

void Application::dropFocus(const Form& f) {
  if (focused_ && (&focused_->form() == &f || focused_->form().mdiFrame_ == &f)) focused_ = nullptr;
}

void Application::tab(bool forward) {
  focusForward_ = forward;
  Form* f = focused_ ? &focused_->form() : activeForm_;
  if (!f) return;
  Control* next = f->nextTabStop(focused_, forward);
  if (next && next != focused_) moveFocus(*next);
}

void Application::activate(Form& f) {
  Form* target = f.isMDIForm() && f.activeChild_ && f.activeChild_->isShown() ? f.activeChild_ : &f;
  Form* top = target->mdiFrame_ ? target->mdiFrame_ : target;
  Form* currentTop = activeForm_ ? (activeForm_->mdiFrame_ ? activeForm_->mdiFrame_ : activeForm_) : nullptr;
  if (currentTop != top) {
    activeForm_ = top;
    detail::raise(top->Activate);
    if (activeForm_ != top) return;
  }
  if (target != top && activeForm_ != target) {
    activeForm_ = target;
    detail::raise(target->Activate);
    if (activeForm_ != target) return;
  }
  if (focused_ && &focused_->form() == target) return;
  Control* c = target->activeControl_;
  if (!c || !c->canTakeFocus()) c = target->nextTabStop(nullptr, true);
  if (c) moveFocus(*c);
}

void Application::formHidden(Form& f) {
  dropFocus(f);
  if (activeForm_ && (activeForm_ == &f || activeForm_->mdiFrame_ == &f)) activeForm_ = nullptr;
}

void Application::runModal(Form& f, Form* opener) {
  Dispatch d;  // nothing is destroyed while the loop runs
  {
    modal_.push_back(&f);
    f.modal_ = true;
    struct Pop {
      Application& a;
      Form& f;
      ~Pop() {
        std::erase(a.modal_, &f);
        f.modal_ = false;
      }
    } pop{*this, f};
    desktop_.runModal(f);
  }
  // The window that opened it is active again (its Activate runs).
  if (opener && opener != &f && opener->isShown() && !ended_) activate(*opener);
}

void Application::fireTimer(TimerControl& timer) {
  Dispatch d;
  if (!ended_ && timer.running()) detail::raise(timer.Timer);
}

}  // namespace forms
