#pragma once
// Everything a window needs from outside itself goes through one Desktop: the
// message and input boxes, the file dialogs, clipboard, beep and flash, mouse pointer,
// timers and clock, screen, system colours, documents and the event loop.
// The front end implements it on a real screen; HeadlessDesktop in tests.
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "forms/Constants.h"

namespace forms {

class Control;
class Form;
class Menu;
class TimerControl;

// Local wall-clock time in milliseconds.
using LocalTime = std::chrono::local_time<std::chrono::milliseconds>;

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A message box: `prompt` may hold line breaks ("\r\n" or "\n"); `buttons`
  // vbOKOnly or vbYesNo; `icon` 0, vbInformation, vbExclamation, vbQuestion
  // or vbCritical. Returns vbOK, vbYes or vbNo.
  virtual int MsgBox(const std::string& prompt, int buttons, int icon, const std::string& title) = 0;
  // The typed text, or "" when the user cancels.
  virtual std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) = 0;
  // The chosen folder, or nothing when cancelled; the dialog opens in
  // `initialDir`.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& initialDir) = 0;
  // The chosen file, or nothing when cancelled. `filter` in VB form
  // ("Archivi (*.dat)|*.dat").
  virtual std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                                     const std::string& initialDir) = 0;
  // Shows a pop-up menu at the mouse pointer; the chosen item's Click runs
  // before this returns.
  virtual void PopupMenu(Menu& menu) = 0;

  virtual std::string clipboardText() = 0;
  virtual void setClipboardText(const std::string& text) = 0;
  virtual void clearClipboard() = 0;

  virtual void Beep() = 0;
  // A key the control refused: it flashes briefly (its background), so that
  // the refusal is seen where no bell sounds.
  virtual void flashControl(const Control& control) = 0;
  // Screen.MousePointer.
  virtual int mousePointer() const = 0;
  virtual void setMousePointer(int pointer) = 0;

  virtual LocalTime now() const = 0;
  std::chrono::year_month_day today() const;
  // A steady millisecond count for timers.
  virtual int64_t tickMs() const = 0;
  // A timer was enabled, disabled, given another interval or destroyed:
  // the desktop (re)starts or stops counting for it. TimerControl::running() tells
  // which; a destroyed timer is never touched again.
  virtual void timerChanged(TimerControl& timer) = 0;
  virtual void timerDestroyed(TimerControl& timer) = 0;

  virtual int screenWidthPx() const = 0;
  virtual int screenHeightPx() const = 0;
  int screenWidth() const { return screenWidthPx() * TwipsPerPixel; }
  int screenHeight() const { return screenHeightPx() * TwipsPerPixel; }
  // The mouse pointer's position on the screen, in pixels.
  virtual Point cursorPos() const = 0;
  // GetSysColor: 15 button face, 16 shadow, 18 button text, 20 highlight, ...
  virtual Color sysColor(int index) const = 0;

  // Opens a file with the desktop's default program; not waited for. When no
  // program opens it (no opener, or the opener ends with a failure), `failed`
  // runs later, on the event loop, like a timer's tick: never inside this call.
  virtual void openDocument(const std::string& path, std::function<void()> failed = {}) = 0;

  // Processes what is waiting (keystrokes sent with SendKeys, due timers).
  virtual void DoEvents() = 0;
  // Blocks without processing anything.
  virtual void Sleep(int ms) = 0;
  // Runs the event loop until `form` is hidden or unloaded, or End is called.
  virtual void runModal(Form& form) = 0;
  // The program ends (Application::End).
  virtual void quit() = 0;
  // From now on `ready` runs on the event loop, between two events, whenever
  // `fd` can be read. A desktop without an event loop ignores it.
  virtual void watchReadable(int fd, std::function<void()> ready) {
    (void)fd;
    (void)ready;
  }
};

// A colour with the high bit set is a system colour (vbButtonFace, ...).
Color resolveColor(Color c);

}  // namespace forms
