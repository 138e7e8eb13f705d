#include "desktop/Keys.h"

#include <QList>

#include "forms/Constants.h"
#include "platform/Cp1252.h"

namespace desktop {

namespace {

using namespace forms;

// Keys that type no character, with their VB key codes.
int namedKeyCode(int qtKey, bool keypad) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
  if (keypad) {
    switch (qtKey) {
      case Qt::Key_Asterisk:
        return 106;
      case Qt::Key_Plus:
        return 107;
      case Qt::Key_Minus:
        return 109;
      case Qt::Key_Period:
      case Qt::Key_Comma:
        return 110;
      case Qt::Key_Slash:
        return 111;
      default:
        break;
    }
  }
  switch (qtKey) {
    case Qt::Key_Backspace:
      return vbKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vbKeyReturn;
    case Qt::Key_Shift:
      return vbKeyShift;
    case Qt::Key_Control:
      return vbKeyControl;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return vbKeyEscape;
    case Qt::Key_Space:
      return vbKeySpace;
    case Qt::Key_PageUp:
      return vbKeyPageUp;
    case Qt::Key_PageDown:
      return vbKeyPageDown;
    case Qt::Key_End:
      return vbKeyEnd;
    case Qt::Key_Home:
      return vbKeyHome;
    case Qt::Key_Left:
      return vbKeyLeft;
    case Qt::Key_Up:
      return vbKeyUp;
    case Qt::Key_Right:
      return vbKeyRight;
    case Qt::Key_Down:
      return vbKeyDown;
    case Qt::Key_Insert:
      return vbKeyInsert;
    case Qt::Key_Delete:
      return vbKeyDelete;
    case Qt::Key_NumLock:
      return 144;
    default:
      return 0;
  }
}

// The key code of a printable character, as on a US keyboard.
int charKeyCode(int ascii) {
  if (ascii >= 'a' && ascii <= 'z') return ascii - 32;
  if ((ascii >= 'A' && ascii <= 'Z') || (ascii >= '0' && ascii <= '9') || ascii == ' ') return ascii;
  switch (ascii) {
    case ';':
      return 186;
    case '=':
      return 187;
    case ',':
      return 188;
    case '-':
      return 189;
    case '.':
      return 190;
    case '/':
      return 191;
    default:
      return 222;
  }
}

}  // namespace

int vbShift(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? vbShiftMask : 0) | (m & Qt::ControlModifier ? vbCtrlMask : 0) |
         (m & Qt::AltModifier ? vbAltMask : 0);
}

int vbButtons(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? vbLeftButton : 0) | (b & Qt::RightButton ? vbRightButton : 0) |
         (b & Qt::MiddleButton ? vbMiddleButton : 0);
}

VbKey vbKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
  VbKey k;
  k.shift = vbShift(modifiers);
  if (qtKey == Qt::Key_Backtab) k.shift |= vbShiftMask;
  const bool keypad = modifiers & Qt::KeypadModifier;
  const bool letter = qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z;
  const bool digit = !keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;

  // The character typed, in Windows-1252; control characters only for the
  // keys that have one in VB.
  int ascii = 0;
  if (!text.isEmpty()) {
    const char32_t ch = text.toUcs4().value(0);
    if (platform::cp1252Printable(ch)) ascii = platform::cp1252FromCodePoint(ch);
  }
  if (k.shift & vbAltMask) ascii = 0;

  if (const int named = namedKeyCode(qtKey, keypad)) {
    k.keyCode = named;
    switch (named) {
      case vbKeyBack:
      case vbKeyReturn:
      case vbKeyEscape:
        k.keyAscii = named;
        break;
      case vbKeyTab:
      case vbKeyDelete:
        break;
      default:
        k.keyAscii = ascii;  // space, keypad digits and signs
    }
    return k;
  }
  if (letter && (k.shift & vbCtrlMask)) {
    k.keyCode = qtKey;
    k.keyAscii = qtKey - Qt::Key_A + 1;  // Ctrl+C = 3, Ctrl+V = 22, ...
    return k;
  }
  if (digit && (k.shift & vbCtrlMask) && !(k.shift & vbAltMask)) {
    // Ctrl with a digit of the main row is a command key (the frame's
    // toolbar), never typing: X gives it a control character (Ctrl+2 NUL,
    // Ctrl+3 to Ctrl+7 ESC to US, Ctrl+8 DEL) or the digit itself (Ctrl+1).
    k.keyCode = qtKey;
    return k;
  }
  if (!ascii && !text.isEmpty() && !(k.shift & vbAltMask)) {
    k.refused = true;
    return k;
  }
  if (letter || digit) {
    k.keyCode = qtKey;
    k.keyAscii = ascii;
    return k;
  }
  if (ascii) {
    k.keyCode = charKeyCode(ascii);
    k.keyAscii = ascii;
  }
  return k;
}

VbKey vbKeyForChar(char32_t ch) {
  VbKey k;
  if (!platform::cp1252Printable(ch)) {
    k.refused = true;
    return k;
  }
  const int b = platform::cp1252FromCodePoint(ch);
  k.keyAscii = b;
  k.keyCode = charKeyCode(b);
  if (b >= 'A' && b <= 'Z') k.shift = vbShiftMask;
  return k;
}

}  // namespace desktop
