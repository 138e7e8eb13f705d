#pragma once
// Qt's keys and mouse buttons in the terms of the windows' events.
#include <QString>
#include <Qt>

namespace desktop {

struct VbKey {
  int keyCode = 0;   // KeyDown / KeyUp code, 0 for a key the windows do not know
  int shift = 0;     // vbShiftMask | vbCtrlMask | vbAltMask
  int keyAscii = 0;  // KeyPress code (Windows-1252), 0 for none
  // A character that no box takes (outside Windows-1252, or a control
  // character such as Ctrl+[ = ESC): refused, not typed.
  bool refused = false;
};

// A key press as Qt reports it: the key, the modifiers and the text it types.
VbKey vbKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
// A character that arrives without a key (input method, compose sequence).
VbKey vbKeyForChar(char32_t ch);

int vbShift(Qt::KeyboardModifiers modifiers);
// One button (MouseDown / MouseUp) or the buttons held (MouseMove).
int vbButtons(Qt::MouseButtons buttons);

}  // namespace desktop
