#include "forms/Control.h"

#include "forms/Application.h"
#include "forms/Form.h"

namespace forms {

// --- Element -----------------------------------------------------------------

void Element::notify(What what) {
  if (view_) view_->changed(*this, what);
}

void Element::Move(int left, int top, int width, int height) {
  if (width < 0 || height < 0) throw FormsError("negative width or height");
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  left_ = left, top_ = top, width_ = width, height_ = height;
  notify(What::Geometry);
  moved(resized);
}

void Element::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  notify(What::Visible);
}

void Element::setEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  notify(What::Enabled);
}

void Element::setBackColor(Color c) {
  backColor_ = c;
  notify(What::Appearance);
}

void Element::setForeColor(Color c) {
  foreColor_ = c;
  notify(What::Appearance);
}

void Element::setFont(const Font& f) {
  if (f == font_) return;
  font_ = f;
  notify(What::Appearance);
  fontChanged();
}

void Element::setFontName(const std::string& name) {
  Font f = font_;
  f.name = name;
  setFont(f);
}

void Element::setFontSize(double points) {
  Font f = font_;
  f.size = points;
  setFont(f);
}

void Element::setFontBold(bool bold) {
  Font f = font_;
  f.bold = bold;
  setFont(f);
}

void Element::setMousePointer(int pointer) {
  mousePointer_ = pointer;
  notify(What::Appearance);
}

// --- Control -----------------------------------------------------------------

Control::~Control() {
  if (!form_) return;
  app().dropFocus(*this);
  app().forgetControl(*this);
  if (app().capture() == this) app().setCapture(nullptr);
  if (form_->isLoaded() && app().observer()) app().observer()->controlRemoved(*this);
  form_->remove(*this);
}

void Control::create(Container& parent, int left, int top, int width, int height) {
  if (form_) throw FormsError("control placed twice");
  parent_ = &parent;
  form_ = &parent.containerForm();
  form_->add(*this);
  Move(left, top, width, height);
  if (form_->isLoaded() && app().observer()) app().observer()->controlAdded(*this);
}

Form& Control::form() const {
  if (!form_) throw FormsError("control not placed on a form (create() missing)");
  return *form_;
}

Container& Control::container() const {
  if (!parent_) throw FormsError("control not placed on a form (create() missing)");
  return *parent_;
}

Control* Control::containerControl() const { return parent_ ? parent_->asControl() : nullptr; }

void Control::setToolTipText(const std::string& text) {
  toolTipText_ = text;
  notify(What::Appearance);
}

void Control::setVisible(bool v) {
  if (!v && form_) app().dropFocus(*this);
  Element::setVisible(v);
}

void Control::setEnabled(bool v) {
  if (!v && form_) app().dropFocus(*this);
  Element::setEnabled(v);
}

bool Control::shownInForm() const {
  for (const Control* c = this; c; c = c->containerControl())
    if (!c->visible_) return false;
  return form_ != nullptr;
}

bool Control::enabledInForm() const {
  for (const Control* c = this; c; c = c->containerControl())
    if (!c->enabled_) return false;
  return form_ != nullptr;
}

bool Control::canTakeFocus() const {
  return focusable() && form_ && form_->isLoaded() && form_->Enabled() && form_->isShown() && shownInForm() &&
         enabledInForm();
}

bool Control::SetFocus() { return app().moveFocus(*this); }

bool Control::hasFocus() const { return app().focused() == this; }

const std::string& Control::accessCaption() const {
  static const std::string none;
  return none;
}

}  // namespace forms
