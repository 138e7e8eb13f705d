#include <algorithm>
#include <cstdlib>

#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/Text.h"
#include "platform/Cp1252.h"

namespace forms {

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

void EditControl::refusedChar() {
  if (editable()) Beep();
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

void EditControl::charAction(int keyAscii) {
  Desktop& desk = desktop();
  switch (keyAscii) {
    case 3:  // Ctrl+C
      if (SelLength()) desk.setClipboardText(SelText());
      return;
    case 24:  // Ctrl+X
      if (SelLength() && editable()) {
        desk.setClipboardText(SelText());
        typeText({});
      }
      return;
    case 22: {  // Ctrl+V
      std::u32string t = text::toU32(pastableText(desk.clipboardText(), multiLine()));
      if (!t.empty()) typeText(std::move(t));
      return;
    }
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
