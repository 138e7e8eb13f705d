#include "forms/Form.h"

#include <algorithm>

#include "forms/Application.h"
#include "forms/Controls.h"

namespace forms {

namespace {
std::pair<int, long> tabKey(const Control& c) { return {c.TabIndex(), c.creationOrder()}; }
}  // namespace

Form::Form() { visible_ = false; }

Form::~Form() = default;

void Form::add(Control& c) {
  c.order_ = nextOrder_++;
  c.tabIndex_ = static_cast<int>(c.order_);
  controls_.push_back(&c);
}

void Form::remove(Control& c) {
  std::erase(controls_, &c);
  if (activeControl_ == &c) activeControl_ = nullptr;
}

void Form::setCaption(const std::string& caption) {
  caption_ = caption;
  notify(What::Text);
}

void Form::setIcon(const std::string& icon) {
  icon_ = icon;
  notify(What::Appearance);
}

void Form::setBorderStyle(int s) {
  borderStyle_ = s;
  notify(What::Appearance);
  resizeCanvas();
  layoutAligned();
}

void Form::setTopmost(bool v) {
  topmost_ = v;
  notify(What::Appearance);
}

void Form::setClientSize(int width, int height) {
  const bool framed = borderStyle_ != 0;
  Move(left_, top_, width + (framed ? FrameWidthPx * TwipsPerPixel : 0),
       height + (framed ? FrameHeightPx * TwipsPerPixel : 0));
}

int Form::clientWidthPx() const { return std::max(0, width_ / TwipsPerPixel - (borderStyle_ ? FrameWidthPx : 0)); }

int Form::clientHeightPx() const { return std::max(0, height_ / TwipsPerPixel - (borderStyle_ ? FrameHeightPx : 0)); }

void Form::setBackColor(Color c) {
  Element::setBackColor(c);
  Cls();
}

void Form::moved(bool resized) {
  if (!resized) return;
  resizeCanvas();
  layoutAligned();
  detail::raise(Resize);
}

void Form::layoutAligned() {
  const int width = clientWidthPx() * TwipsPerPixel;
  int top = 0, bottom = clientHeightPx() * TwipsPerPixel;
  for (Control* c : controls_) {
    auto* p = dynamic_cast<PictureBox*>(c);
    if (!p || p->containerControl() || !p->Visible()) continue;
    if (p->Align() == vbAlignTop) {
      p->Move(0, top, width, p->Height());
      top += p->Height();
    } else if (p->Align() == vbAlignBottom) {
      bottom -= p->Height();
      p->Move(0, bottom, width, p->Height());
    }
  }
}

int Form::pageTop() const {
  int top = 0;
  for (Control* c : controls_) {
    auto* p = dynamic_cast<PictureBox*>(c);
    if (p && !p->containerControl() && p->Visible() && p->Align() == vbAlignTop) top += p->Height();
  }
  return top;
}

int Form::pageHeight() const {
  int taken = pageTop();
  for (Control* c : controls_) {
    auto* p = dynamic_cast<PictureBox*>(c);
    if (p && !p->containerControl() && p->Visible() && p->Align() == vbAlignBottom) taken += p->Height();
  }
  return std::max(0, clientHeightPx() * TwipsPerPixel - taken);
}

bool Form::isShown() const {
  if (!loaded_ || !visible_) return false;
  return !mdiFrame_ || (mdiFrame_->visible_ && mdiFrame_->activeChild_ == this);
}

void Form::Show(int modal) {
  if (!loaded_) throw FormsError("Show on an unloaded form \"" + caption_ + "\" (app().form<T>() gives a fresh one)");
  if (modal == vbModal && visible_) throw FormsError("Form already displayed; can't show modally");
  Application& a = app();
  Form* opener = a.activeForm();
  if (mdiFrame_ && mdiFrame_->activeChild_ != this) {
    if (Form* old = mdiFrame_->activeChild_) {
      old->visible_ = false;
      old->notify(What::Visible);
      a.formHidden(*old);
    }
    mdiFrame_->activeChild_ = this;
  }
  if (!visible_) {
    visible_ = true;
    if (!shownOnce_ && startUpPosition_ == 2 && !mdiFrame_)
      Move((desktop().screenWidth() - width_) / 2, (desktop().screenHeight() - height_) / 2);
    shownOnce_ = true;
    notify(What::Visible);
  }
  if (mdiFrame_ && !mdiFrame_->visible_)
    mdiFrame_->Show();
  else
    a.activate(*this);
  if (modal == vbModal) a.runModal(*this, opener);
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  notify(What::Visible);
  app().formHidden(*this);
}

void Form::setVisible(bool v) {
  if (v)
    Show();
  else
    Hide();
}

Control* Form::nextTabStop(const Control* from, bool forward) const {
  std::vector<Control*> stops;
  for (Control* c : controls_)
    if (c->canTakeFocus() && c->isTabStop()) stops.push_back(c);
  if (stops.empty()) return nullptr;
  std::sort(stops.begin(), stops.end(), [](Control* a, Control* b) { return tabKey(*a) < tabKey(*b); });
  if (!from) return forward ? stops.front() : stops.back();
  const auto key = tabKey(*from);
  if (forward) {
    auto it = std::find_if(stops.begin(), stops.end(), [&](Control* c) { return tabKey(*c) > key; });
    return it != stops.end() ? *it : stops.front();
  }
  auto it = std::find_if(stops.rbegin(), stops.rend(), [&](Control* c) { return tabKey(*c) < key; });
  return it != stops.rend() ? *it : stops.back();
}

void Form::PopupMenu(Menu& menu) { desktop().PopupMenu(menu); }

}  // namespace forms
