#pragma once
// The program's icons and pointers, read from its embedded resources for
// the windows on the screen. Internal to the desktop front end.
#include <QCursor>
#include <QIcon>
#include <string>

namespace desktop {

// Every picture of the icon resource `name` (e.g. "icone/programma.ico");
// a null icon when there is no such resource or it cannot be read.
QIcon resourceIcon(const std::string& name);

// The screen pointer of a MousePointer value: Qt's own shapes for the
// standard ones, the hand of "cursori/mano.cur" for vbCustom.
QCursor pointerCursor(int pointer);

}  // namespace desktop
