#pragma once
// The form layer: windows, controls and events with the semantics of the
// Windows form services, in plain C++ (no toolkit). Include this header in
// window code. The guide for window writers is src/forms/README.md.
//
// Conventions
// - Properties: the getter has the VB name, the setter "set" + the VB name:
//     Text3.Text()  /  Text3.setText("0")
//     Check1.Value() / Check1.setValue(vbChecked)
//     Command3.Enabled() / Command3.setEnabled(false)
//   Methods keep their VB names: Show, Hide, SetFocus, AddItem, Cls, Refresh.
// - Events are public std::function members with the VB event names (Click,
//   Change, KeyPress, ...), wired in the window's constructor to methods
//   named control_event:  Text3.Change = [this] { Text3_Change(); };
//   KeyDown / KeyUp take (int& KeyCode, int Shift), KeyPress (int& KeyAscii),
//   the mouse events (int Button, int Shift, float X, float Y).
// - Events run synchronously inside the statement that causes them and may
//   nest. Setting a value from code raises the same event as the user, and
//   only when the value really changes: CheckBox/OptionButton Value (Click),
//   ListBox/ComboBox ListIndex (Click), TextBox/ComboBox Text (Change),
//   Label Caption (Change), VScrollBar Value (Change).
// - After a Text assignment from code the caret stands at 0 with nothing
//   selected (as in VB).
// - Geometry in twips (TwipsPerPixel = 15); colours 0x00BBGGRR (RGB()), or a
//   system colour (vbButtonFace, ...).
// - Controls whose VB names are taken by methods or events carry a suffix:
//   LineControl (Line), ImageControl (Image), TimerControl (Timer; alias
//   forms::Timer outside form classes).
#include "forms/Application.h"
#include "forms/Canvas.h"
#include "forms/Color.h"
#include "forms/Constants.h"
#include "forms/Control.h"
#include "forms/ControlArray.h"
#include "forms/Controls.h"
#include "forms/Desktop.h"
#include "forms/Form.h"
#include "forms/UserInput.h"
