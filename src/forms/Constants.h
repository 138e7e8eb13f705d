#pragma once
// The constants that window code uses, with the names and values of VB.
#include "forms/Color.h"

namespace forms {

constexpr int TwipsPerPixel = 15;

// Message-box buttons, icons and answers.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbYesNo = 4;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// Form::Show
constexpr int vbModeless = 0;
constexpr int vbModal = 1;

// QueryUnload's UnloadMode.
constexpr int vbFormControlMenu = 0;  // the user closed the window
constexpr int vbFormCode = 1;         // Unload from code
constexpr int vbAppWindows = 2;
constexpr int vbAppTaskManager = 3;
constexpr int vbFormMDIForm = 4;  // the MDI frame closes its children

// Key codes (KeyDown / KeyUp).
constexpr int vbKeyBack = 8;
constexpr int vbKeyTab = 9;
constexpr int vbKeyReturn = 13;
constexpr int vbKeyShift = 16;
constexpr int vbKeyControl = 17;
constexpr int vbKeyEscape = 27;
constexpr int vbKeySpace = 32;
constexpr int vbKeyPageUp = 33;
constexpr int vbKeyPageDown = 34;
constexpr int vbKeyEnd = 35;
constexpr int vbKeyHome = 36;
constexpr int vbKeyLeft = 37;
constexpr int vbKeyUp = 38;
constexpr int vbKeyRight = 39;
constexpr int vbKeyDown = 40;
constexpr int vbKeyDelete = 46;
constexpr int vbKey0 = 48;
constexpr int vbKeyA = 65;
constexpr int vbKeyInsert = 45;
constexpr int vbKeyC = 67;
constexpr int vbKeyV = 86;
constexpr int vbKeyX = 88;
constexpr int vbKeyZ = 90;

// Shift argument of key and mouse events.
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// Button argument of mouse events.
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;

// CheckBox::Value
constexpr int vbUnchecked = 0;
constexpr int vbChecked = 1;
constexpr int vbGrayed = 2;

// Alignment of labels and text boxes.
constexpr int vbLeftJustify = 0;
constexpr int vbRightJustify = 1;
constexpr int vbCenter = 2;

// ScaleMode
constexpr int vbTwips = 1;
constexpr int vbPixels = 3;

// PictureBox::Align
constexpr int vbAlignNone = 0;
constexpr int vbAlignTop = 1;
constexpr int vbAlignBottom = 2;

// MousePointer
constexpr int vbDefault = 0;
constexpr int vbArrow = 1;
constexpr int vbHourglass = 11;
constexpr int vbCustom = 99;

// ComboBox::Style
constexpr int vbComboDropDown = 0;
constexpr int vbComboDropDownList = 2;

// System colours: a colour with the high bit set names a system colour by its
// index (the low byte); resolveColor() in Desktop.h turns it into RGB.
constexpr Color vbWindowBackground = 0x80000005;
constexpr Color vbWindowText = 0x80000008;
constexpr Color vbButtonFace = 0x8000000F;
constexpr Color vbButtonShadow = 0x80000010;
constexpr Color vbButtonText = 0x80000012;
constexpr Color vb3DHighlight = 0x80000014;

}  // namespace forms
