#include "forms/Controls.h"

#include <algorithm>
#include <cctype>

#include "forms/Application.h"
#include "forms/Form.h"
#include "forms/Text.h"

namespace forms {

// --- captions ------------------------------------------------------------------

std::string stripAccessKey(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size())
      ++i;
    else if (caption[i] == '&')
      continue;
    out += caption[i];
  }
  return out;
}

char accessKey(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(caption[i + 1]);
    return c < 0x80 ? static_cast<char>(std::toupper(c)) : 0;
  }
  return 0;
}

// --- Label, Frame, Line, Image -------------------------------------------------------

void Label::setCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  notify(What::Text);
  if (autoSize_) fit();
  detail::raise(Change);
}

void Label::setAutoSize(bool v) {
  autoSize_ = v;
  if (v) fit();
}

void Label::setAlignment(int a) {
  alignment_ = a;
  notify(What::Appearance);
}

void Label::setBorderStyle(int s) {
  borderStyle_ = s;
  notify(What::Appearance);
  if (autoSize_) fit();
}

void Label::setBackStyle(int s) {
  backStyle_ = s;
  notify(What::Appearance);
}

void Label::fontChanged() {
  if (autoSize_) fit();
}

void Label::fit() {
  int widest = 0, lines = 0;
  std::string_view rest = caption_;
  for (;;) {
    const size_t br = rest.find_first_of("\r\n");
    widest = std::max(widest, fontEngine().textWidth(font_, rest.substr(0, br)));
    ++lines;
    if (br == std::string_view::npos) break;
    rest.remove_prefix(br + (rest.compare(br, 2, "\r\n") == 0 ? 2 : 1));
  }
  const int border = borderStyle_ ? 2 : 0;
  Move(left_, top_, (widest + 2 * border) * TwipsPerPixel,
       (lines * fontEngine().textHeight(font_) + 2 * border) * TwipsPerPixel);
}

void Frame::setCaption(const std::string& caption) {
  caption_ = caption;
  notify(What::Text);
}

void LineControl::setPoints(int x1, int y1, int x2, int y2) {
  x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
  notify(What::Geometry);
}

void LineControl::setBorderColor(Color c) {
  borderColor_ = c;
  notify(What::Appearance);
}

void ImageControl::setPicture(const forms::Image& picture) {
  picture_ = picture;
  notify(What::Picture);
}

void ImageControl::setBorderStyle(int s) {
  borderStyle_ = s;
  notify(What::Appearance);
}

// --- Buttons -------------------------------------------------------------------

void CommandButton::setCaption(const std::string& caption) {
  caption_ = caption;
  notify(What::Text);
}

void CommandButton::charAction(int keyAscii) {
  if (keyAscii == vbKeySpace || keyAscii == vbKeyReturn) clickAction();
}

void CheckBox::setCaption(const std::string& caption) {
  caption_ = caption;
  notify(What::Text);
}

void CheckBox::setValue(int v) {
  if (v != vbUnchecked && v != vbChecked && v != vbGrayed)
    throw FormsError("CheckBox.Value: invalid value " + std::to_string(v));
  if (v == value_) return;
  value_ = v;
  notify(What::Value);
  detail::raise(Click);
}

void CheckBox::clickAction() { setValue(value_ == vbChecked ? vbUnchecked : vbChecked); }

void CheckBox::charAction(int keyAscii) {
  if (keyAscii == vbKeySpace) clickAction();
}

void OptionButton::setCaption(const std::string& caption) {
  caption_ = caption;
  notify(What::Text);
}

void OptionButton::setValue(bool v) {
  if (v == value_) return;
  if (v && placed()) {
    for (Control* c : form().controls()) {
      auto* o = dynamic_cast<OptionButton*>(c);
      if (o && o != this && o->value_ && &o->container() == &container()) {
        o->value_ = false;
        o->notify(What::Value);
      }
    }
  }
  value_ = v;
  notify(What::Value);
  if (v) detail::raise(Click);
}

bool OptionButton::isTabStop() const {
  if (!TabStop()) return false;
  if (value_) return true;
  // No option of the group selected: the first one in tab order stands for it.
  const OptionButton* first = nullptr;
  for (Control* c : form().controls()) {
    auto* o = dynamic_cast<OptionButton*>(c);
    if (!o || &o->container() != &container() || !o->canTakeFocus()) continue;
    if (o->value_) return false;
    if (!first || std::pair(o->TabIndex(), o->creationOrder()) < std::pair(first->TabIndex(), first->creationOrder()))
      first = o;
  }
  return first == this;
}

void OptionButton::clickAction() { setValue(true); }

void OptionButton::charAction(int keyAscii) {
  if (keyAscii == vbKeySpace) setValue(true);
}

void OptionButton::keyAction(int keyCode, int) {
  int step = 0;
  if (keyCode == vbKeyUp || keyCode == vbKeyLeft) step = -1;
  if (keyCode == vbKeyDown || keyCode == vbKeyRight) step = 1;
  if (step == 0 || !placed()) return;
  std::vector<OptionButton*> group;
  for (Control* c : form().controls()) {
    auto* o = dynamic_cast<OptionButton*>(c);
    if (o && &o->container() == &container() && (o == this || o->canTakeFocus())) group.push_back(o);
  }
  std::sort(group.begin(), group.end(), [](const OptionButton* a, const OptionButton* b) {
    return std::pair(a->TabIndex(), a->creationOrder()) < std::pair(b->TabIndex(), b->creationOrder());
  });
  const auto at = std::find(group.begin(), group.end(), this) - group.begin();
  const auto n = static_cast<std::ptrdiff_t>(group.size());
  OptionButton& next = *group[static_cast<size_t>((at + step + n) % n)];
  if (&next == this) return;
  // As a click on it: the focus moves first (LostFocus of this one), then
  // the option is selected, when it can still take it.
  app().moveFocus(next);
  if (next.form().isLoaded() && next.canTakeFocus() && app().focused() == &next) next.clickAction();
}

// --- VScrollBar ----------------------------------------------------------------

int VScrollBar::clamp(int v) const { return std::clamp(v, std::min(min_, max_), std::max(min_, max_)); }

void VScrollBar::setMin(int v) {
  min_ = v;
  notify(What::Value);
  setValue(clamp(value_));
}

void VScrollBar::setMax(int v) {
  max_ = v;
  notify(What::Value);
  setValue(clamp(value_));
}

void VScrollBar::setValue(int v) {
  if (v != clamp(v))
    throw FormsError("VScrollBar.Value: " + std::to_string(v) + " outside " + std::to_string(min_) + ".." +
                     std::to_string(max_));
  if (v == value_) return;
  value_ = v;
  notify(What::Value);
  detail::raise(Change);
}

void VScrollBar::step(int delta) {
  const int64_t target = int64_t{value_} + (max_ >= min_ ? delta : -int64_t{delta});
  setValue(clamp(static_cast<int>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX))));
}

void VScrollBar::keyAction(int keyCode, int) {
  switch (keyCode) {
    case vbKeyUp:
    case vbKeyLeft:
      step(-smallChange_);
      break;
    case vbKeyDown:
    case vbKeyRight:
      step(smallChange_);
      break;
    case vbKeyPageUp:
      step(-largeChange_);
      break;
    case vbKeyPageDown:
      step(largeChange_);
      break;
    case vbKeyHome:
      setValue(min_);
      break;
    case vbKeyEnd:
      setValue(max_);
      break;
    default:
      break;
  }
}

void VScrollBar::dragTo(int v, bool released) {
  v = clamp(v);
  if (!released) {
    if (!dragging_) dragging_ = true, dragStart_ = value_;
    if (v == value_) return;
    value_ = v;
    notify(What::Value);
    detail::raise(Scroll);
    return;
  }
  const int before = dragging_ ? dragStart_ : value_;
  dragging_ = false;
  if (v != value_) {
    value_ = v;
    notify(What::Value);
  }
  if (v != before) detail::raise(Change);
}

// --- Timer ---------------------------------------------------------------------

TimerControl::TimerControl() { visible_ = false; }

TimerControl::~TimerControl() { desktop().timerDestroyed(*this); }

void TimerControl::setInterval(int ms) {
  if (ms < 0) throw FormsError("Timer.Interval: negative value");
  if (ms == interval_) return;
  interval_ = ms;
  notify(What::Value);
  desktop().timerChanged(*this);
}

void TimerControl::setEnabled(bool v) {
  if (v == enabled_) return;
  Control::setEnabled(v);
  desktop().timerChanged(*this);
}

bool TimerControl::running() const { return enabled_ && interval_ > 0 && placed() && form().isLoaded(); }

// --- PictureBox ----------------------------------------------------------------

PictureBox::PictureBox() { setTabStop(false); }

int PictureBox::clientWidthPx() const { return std::max(0, width_ / TwipsPerPixel - (borderStyle_ ? 4 : 0)); }
int PictureBox::clientHeightPx() const { return std::max(0, height_ / TwipsPerPixel - (borderStyle_ ? 4 : 0)); }

void PictureBox::moved(bool resized) {
  if (resized) resizeCanvas();
  if (align_ != vbAlignNone && placed()) form().layoutAligned();
  if (resized) detail::raise(Resize);
}

void PictureBox::setAlign(int a) {
  if (a != vbAlignNone && a != vbAlignTop && a != vbAlignBottom)
    throw FormsError("PictureBox.Align: unsupported value " + std::to_string(a));
  align_ = a;
  if (placed()) form().layoutAligned();
}

void PictureBox::setBorderStyle(int s) {
  borderStyle_ = s;
  notify(What::Appearance);
  resizeCanvas();
}

void PictureBox::setAutoSize(bool v) {
  autoSize_ = v;
  if (v) setPicture(Picture());
}

void PictureBox::setBackColor(Color c) {
  Element::setBackColor(c);
  Cls();
}

void PictureBox::setPicture(const forms::Image& picture) {
  if (autoSize_) {
    const int border = borderStyle_ ? 2 : 0;
    Move(left_, top_, (picture.width() + 2 * border) * TwipsPerPixel, (picture.height() + 2 * border) * TwipsPerPixel);
  }
  Canvas::setPicture(picture);
}

// --- Menu ----------------------------------------------------------------------

MenuItem& Menu::add(const std::string& caption) {
  items_.push_back(std::make_unique<MenuItem>(caption));
  return *items_.back();
}

MenuItem* Menu::find(std::string_view caption) {
  const std::string wanted = stripAccessKey(caption);
  for (auto& item : items_)
    if (item->Visible() && item->Enabled() && stripAccessKey(item->Caption()) == wanted) return item.get();
  return nullptr;
}

}  // namespace forms
