#include "forms/ScriptedUser.h"

#include <cctype>

#include "forms/Application.h"
#include "platform/Cp1252.h"

namespace forms {

namespace {

struct Keystroke {
  int keyCode;
  int shift;
  int keyAscii;
};

// The key a character is typed with on a US layout (VB key codes); keyCode 0
// for a character that no box takes.
Keystroke keystrokeFor(char32_t cp) {
  if (cp == U'\t') return {vbKeyTab, 0, 0};
  if (cp == U'\r' || cp == U'\n') return {vbKeyReturn, 0, 13};
  if (!platform::cp1252Printable(cp)) return {0, 0, 0};
  const int ascii = platform::cp1252FromCodePoint(cp);
  if (ascii >= 'a' && ascii <= 'z') return {ascii - 32, 0, ascii};
  if (ascii >= 'A' && ascii <= 'Z') return {ascii, vbShiftMask, ascii};
  if ((ascii >= '0' && ascii <= '9') || ascii == ' ') return {ascii, 0, ascii};
  switch (ascii) {
    case ';':
      return {186, 0, ascii};
    case '=':
      return {187, 0, ascii};
    case ',':
      return {188, 0, ascii};
    case '-':
      return {189, 0, ascii};
    case '.':
      return {190, 0, ascii};
    case '/':
      return {191, 0, ascii};
    default:
      return {222, 0, ascii};  // every other character
  }
}

// The character a key gives, 0 for none.
int asciiFor(int keyCode, int shift) {
  const bool letter = keyCode >= vbKeyA && keyCode <= vbKeyA + 25;
  if (shift & vbCtrlMask) return letter ? keyCode - vbKeyA + 1 : 0;
  if (letter) return shift & vbShiftMask ? keyCode : keyCode + 32;
  if (keyCode >= vbKey0 && keyCode <= vbKey0 + 9) return keyCode;
  switch (keyCode) {
    case vbKeyBack:
    case vbKeyReturn:
    case vbKeyEscape:
    case vbKeySpace:
      return keyCode;
    default:
      return 0;
  }
}

}  // namespace

void ScriptedUser::type(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const Keystroke k = keystrokeFor(platform::nextCodePoint(text, pos));
    if (k.keyCode == 0)
      input::refusedChar();
    else
      input::key(k.keyCode, k.shift, k.keyAscii);
  }
}

void ScriptedUser::type(Control& c, std::string_view text) {
  input::focus(c);
  type(text);
}

void ScriptedUser::key(int keyCode, int shift) { input::key(keyCode, shift, asciiFor(keyCode, shift)); }

void ScriptedUser::key(Control& c, int keyCode, int shift) {
  input::focus(c);
  key(keyCode, shift);
}

void ScriptedUser::pressAlt(char letter) { input::key(std::toupper(static_cast<unsigned char>(letter)), vbAltMask, 0); }

void ScriptedUser::dblClickRow(ListBox& list, int row) {
  input::pickRow(list, row);
  if (!list.isSeparator(row)) input::dblClick(list);  // as on the screen: a separator line takes nothing
}

void ScriptedUser::dragScroll(VScrollBar& bar, int value) {
  const int step = value >= bar.Value() ? 1 : -1;
  for (int v = bar.Value(); v != value;) {
    v += step;
    input::scroll(bar, v, false);
  }
  input::scroll(bar, value, true);
}

}  // namespace forms
