#include <algorithm>
#include <cstdlib>

#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/Text.h"
#include "forms/UserInput.h"
#include "platform/Cp1252.h"

namespace forms {

namespace {
constexpr int kCtrlA = 1;
constexpr int kCtrlC = 3;
constexpr int kCtrlV = 22;
constexpr int kCtrlX = 24;
constexpr int kCtrlZ = 26;

bool lineBreak(char32_t c) { return c == U'\r' || c == U'\n'; }
// What separates words in a pasted text and may stand for a blank.
bool wordSeparator(char32_t c) { return c == U'\t' || lineBreak(c) || c == U';' || c == U','; }
}  // namespace
std::string pastableText(std::string_view clipboard, bool multiLine) {
  if (!multiLine) clipboard = clipboard.substr(0, clipboard.find_first_of("\r\n"));
  return platform::onlyCp1252Printable(clipboard, multiLine);
}

EditControl::EditControl() {
  backColor_ = vbWindowBackground;
  foreColor_ = vbWindowText;
}

void EditControl::setText(const std::string& text) { replaceText(text, 0, 0); }

void EditControl::focusArrived() {
  if (multiLine() || !editable()) return;
  setSelStart(0);
  setSelLength(text::length(text_));
}

int EditControl::SelStart() const { return std::min(anchor_, caret_); }
int EditControl::SelLength() const { return std::abs(caret_ - anchor_); }

std::string EditControl::SelText() const { return text::toUtf8(text::toU32(text_).substr(SelStart(), SelLength())); }

void EditControl::setSelStart(int start) {
  anchor_ = caret_ = std::clamp(start, 0, text::length(text_));
  notify(What::Selection);
}

void EditControl::setSelLength(int length) {
  const int start = SelStart();
  anchor_ = start;
  caret_ = start + std::clamp(length, 0, text::length(text_) - start);
  notify(What::Selection);
}

void EditControl::setSelText(const std::string& text) {
  std::u32string t = text::toU32(text_);
  const std::u32string ins = text::toU32(text);
  const int start = SelStart();
  t.replace(start, SelLength(), ins);
  const int caret = start + static_cast<int>(ins.size());
  replaceText(text::toUtf8(t), caret, caret);
}

void EditControl::setAlignment(int a) {
  alignment_ = a;
  notify(What::Appearance);
}

void EditControl::replaceText(const std::string& text, int anchor, int caret) {
  const bool changed = text != text_;
  if (changed && keys_ == 0) forgetEdits();
  text_ = text;
  anchor_ = anchor;
  caret_ = caret;
  if (changed) notify(What::Text);
  notify(What::Selection);
  if (!changed) return;
  textEdited();
  detail::raise(Change);
}

void EditControl::showText(const std::string& text) {
  if (text == text_) return;
  if (keys_ == 0) forgetEdits();
  text_ = text;
  anchor_ = caret_ = 0;
  notify(What::Text);
}

void EditControl::typeText(std::u32string ins) {
  if (!editable()) return;
  std::u32string t = text::toU32(text_);
  const int start = SelStart(), len = SelLength();
  if (maxLength_ > 0 && !ins.empty()) {
    const int room = maxLength_ - (static_cast<int>(t.size()) - len);
    if (room <= 0) return;
    if (static_cast<int>(ins.size()) > room) ins.resize(room);
  }
  t.replace(start, len, ins);
  const int caret = start + static_cast<int>(ins.size());
  replaceText(text::toUtf8(t), caret, caret);
}

void EditControl::paste() {
  if (!editable()) return;
  const std::u32string clip = text::toU32(desktop().clipboardText());
  bool taken = false;
  {
    HeldRefusals held;
    bool blank = false;
    // One character as if typed: whether the box took it (no refusal, and
    // the box changed) or refused it.
    enum class Outcome { Taken, Refused, Ignored };
    const auto typed = [&](char32_t ch) {
      const int refusals = held.count();
      const std::string before = text_;
      const int anchor = anchor_, caret = caret_;
      int k = platform::cp1252FromCodePoint(ch);
      detail::raise(KeyPress, k);
      if (k != 0 && form().isLoaded()) charAction(k);
      if (held.count() != refusals) return Outcome::Refused;
      if (text_ == before && anchor_ == anchor && caret_ == caret) return Outcome::Ignored;
      taken = true;
      return Outcome::Taken;
    };
    // Room for a blank and one more character (MaxLength).
    const auto roomForTwo = [&] { return maxLength_ <= 0 || text::length(text_) - SelLength() + 2 <= maxLength_; };
    const auto blankBefore = [&] {
      const int start = SelStart();
      return start == 0 || text::toU32(text_)[start - 1] == U' ';
    };
    for (size_t i = 0; i < clip.size(); ++i) {
      // A handler may have closed the window or sent the focus elsewhere.
      if (!form().isLoaded() || app().focused() != this) return;
      const char32_t ch = clip[i];
      if (multiLine() && lineBreak(ch)) {
        // A line break of a multi-line box, CR LF as Enter types it.
        if (ch == U'\r' && i + 1 < clip.size() && clip[i + 1] == U'\n') ++i;
        const std::string before = text_;
        typeText(U"\r\n");
        taken = taken || text_ != before;
        blank = false;
        continue;
      }
      if (ch == U'\t' || lineBreak(ch)) {
        blank = true;
        continue;
      }
      if (!platform::cp1252Printable(ch)) continue;
      // A blank that would leave no room for what it separates is left out.
      if (blank && ch != U' ' && !blankBefore() && roomForTwo()) typed(U' ');
      blank = false;
      if (typed(ch) == Outcome::Refused && wordSeparator(ch)) blank = true;
    }
  }
  if (!taken && form().isLoaded()) RefuseKey(*this);
}

void EditControl::cut() {
  if (!SelLength() || !editable()) return;
  desktop().setClipboardText(SelText());
  int code = vbKeyDelete;
  detail::raise(KeyDown, code, 0);
  if (code != 0 && placed() && form().isLoaded()) keyAction(code, 0);
}

void EditControl::contextMenuAction() {
  Menu menu;
  const bool selected = SelLength() > 0;
  const struct {
    const char* caption;
    bool enabled;
    int keyCode, shift, keyAscii;
  } items[] = {
      {"Annulla", canUndo(), 'Z', vbCtrlMask, kCtrlZ},
      {"Taglia", selected && editable(), 'X', vbCtrlMask, kCtrlX},
      {"Copia", selected, 'C', vbCtrlMask, kCtrlC},
      {"Incolla", editable() && !pastableText(desktop().clipboardText(), true).empty(), 'V', vbCtrlMask, kCtrlV},
      {"Elimina", selected && editable(), vbKeyDelete, 0, 0},
      {"Seleziona tutto", SelLength() < text::length(text_), 'A', vbCtrlMask, kCtrlA},
  };
  for (const auto& item : items) {
    MenuItem& m = menu.add(item.caption);
    m.setEnabled(item.enabled);
    m.Click = [this, item] {
      if (app().focused() == this) input::key(item.keyCode, item.shift, item.keyAscii);
    };
  }
  desktop().PopupMenu(menu);
}

void EditControl::refusedChar() {
  if (editable()) RefuseKey(*this);
}

void EditControl::moveCaret(int to, bool extend) {
  caret_ = std::clamp(to, 0, text::length(text_));
  if (!extend) anchor_ = caret_;
  notify(What::Selection);
}

void EditControl::keyAction(int keyCode, int shift) {
  const bool extend = shift & vbShiftMask;
  const int n = text::length(text_);
  switch (keyCode) {
    case vbKeyLeft:
      moveCaret(!extend && SelLength() ? SelStart() : caret_ - 1, extend);
      break;
    case vbKeyRight:
      moveCaret(!extend && SelLength() ? SelStart() + SelLength() : caret_ + 1, extend);
      break;
    case vbKeyHome:
      moveCaret(0, extend);
      break;
    case vbKeyEnd:
      moveCaret(n, extend);
      break;
    case vbKeyDelete: {
      if (!editable()) break;
      std::u32string t = text::toU32(text_);
      const int start = SelStart();
      const int len = SelLength() ? SelLength() : (start < n ? 1 : 0);
      if (len == 0) break;
      t.erase(start, len);
      replaceText(text::toUtf8(t), start, start);
      break;
    }
    default:
      break;
  }
}

// A text set by code, outside the user's keys, is where the history starts.
void EditControl::forgetEdits() {
  undo_.clear();
  typedRunEnd_ = -1;
}

void EditControl::keyStarting(int keyAscii) {
  if (keys_++ > 0) return;
  beforeKey_ = {text_, anchor_, caret_};
  typingKey_ = keyAscii >= 32;
  undoing_ = false;
}

void EditControl::keyDone() {
  if (keys_ == 0 || --keys_ > 0) return;
  if (undoing_) {
    undoing_ = false;
    typedRunEnd_ = -1;
    return;
  }
  if (text_ == beforeKey_.text) return;
  // Characters typed one after the other, each where the last one left the
  // selection (a caret, or the completion a name box highlights after it),
  // are one edit.
  const bool goesOn = typingKey_ && typedRunEnd_ >= 0 && std::min(beforeKey_.anchor, beforeKey_.caret) == typedRunEnd_;
  if (!goesOn) undo_.push_back(std::move(beforeKey_));
  typedRunEnd_ = typingKey_ ? SelStart() : -1;
}

void EditControl::charAction(int keyAscii) {
  Desktop& desk = desktop();
  switch (keyAscii) {
    case kCtrlA:
      anchor_ = 0;
      moveCaret(text::length(text_), true);
      return;
    case kCtrlZ: {
      if (!editable() || undo_.empty()) return;
      Edit before = std::move(undo_.back());
      undo_.pop_back();
      undoing_ = true;
      replaceText(before.text, before.anchor, before.caret);
      return;
    }
    case kCtrlC:
      if (SelLength()) desk.setClipboardText(SelText());
      return;
    case kCtrlX:
      cut();
      return;
    case kCtrlV:
      paste();
      return;
    case vbKeyBack: {
      if (!editable()) return;
      if (SelLength() == 0) {
        if (caret_ == 0) return;
        anchor_ = caret_ - 1;
      }
      typeText({});
      return;
    }
    case vbKeyReturn:
      if (multiLine()) typeText(U"\r\n");
      return;
    default:
      // A control character (Ctrl+letter, the undefined bytes) is refused.
      if (keyAscii < 0 || keyAscii > 255 ||
          !platform::cp1252Printable(platform::cp1252ToCodePoint(static_cast<unsigned char>(keyAscii))))
        return refusedChar();
      typeText(std::u32string(1, platform::cp1252ToCodePoint(static_cast<unsigned char>(keyAscii))));
  }
}

}  // namespace forms
