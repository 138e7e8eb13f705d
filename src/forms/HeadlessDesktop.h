#pragma once
// The desktop of the tests: answers to message boxes and dialogs queued by
// the test (one nobody expected throws, with its text), scripted user actions
// that run while a modal window is open, a virtual clock that fires timers
// only when the test advances it, and records of beeps, flashed controls, opened documents and
// mouse-pointer changes.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/Control.h"
#include "forms/Desktop.h"

namespace forms {

// A message box or dialog that the test did not expect, or not like this.
class UnexpectedDialog : public FormsError {
 public:
  using FormsError::FormsError;
};

// What an expected message box must look like; unset fields are not checked.
struct MsgBoxCheck {
  std::optional<std::string> prompt = {};
  std::optional<std::string> title = {};
  std::optional<int> buttons = {};
  std::optional<int> icon = {};
};

class HeadlessDesktop : public Desktop {
 public:
  struct ShownMsgBox {
    std::string prompt;
    int buttons;
    int icon;
    std::string title;
    int answer;
  };

  HeadlessDesktop();

  // The next message box is answered with `answer` (vbOK, vbYes, vbNo):
  //   desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
  void expectMsgBox(int answer, MsgBoxCheck check = {});
  void expectInputBox(std::string answer);
  void expectFolder(std::optional<std::string> folder);
  void expectOpenFile(std::optional<std::string> file);
  // The next pop-up menu picks the item with this caption ("&" ignored);
  // "" dismisses it.
  void expectPopupMenu(std::string caption);
  // Answers queued and not yet used.
  size_t pendingAnswers() const;
  // Every message box shown, in order.
  const std::vector<ShownMsgBox>& msgBoxes() const { return shown_; }
  // The items of the last pop-up menu shown: caption and whether enabled.
  const std::vector<std::pair<std::string, bool>>& lastPopupMenu() const { return lastMenu_; }

  // An action of the user (usually ScriptedUser calls) that runs when a
  // modal window waits for input. A modal window that is still open when
  // the actions run out makes runModal throw.
  void script(std::function<void()> action);
  size_t pendingScript() const { return script_.size(); }

  int beeps() const { return beeps_; }
  // The controls that flashed for a refused key, in order.
  const std::vector<const Control*>& flashes() const { return flashes_; }
  // Every document asked to be opened, in order. By default nothing is opened.
  const std::vector<std::string>& openedDocuments() const { return opened_; }
  // How documents are opened from now on: recorded only (the default), every
  // one failing (its failure reported by the next DoEvents), or also handed to
  // the real opener (`xdg-open` on PATH), whose failures DoEvents or
  // waitForOpeners report.
  enum class Opening { RecordOnly, Fail, RealOpener };
  void setOpening(Opening opening) { opening_ = opening; }
  // Waits until every real opener started so far has ended (at most 10 s),
  // then reports their failures as DoEvents does.
  void waitForOpeners();
  const std::vector<int>& pointerChanges() const { return pointers_; }
  // The folder each folder or file dialog opened in, in order.
  const std::vector<std::string>& dialogFolders() const { return dialogFolders_; }
  bool quitCalled() const { return quit_; }

  // Moves the clock on, firing the timers that fall due on the way, in order.
  void advance(int64_t ms);
  void setNow(LocalTime t) { now_ = t; }
  void setScreenSize(int widthPx, int heightPx);
  void setCursorPos(Point p) { cursor_ = p; }
  void setSysColor(int index, Color c) { sysColors_[index] = c; }

  // Desktop
  int MsgBox(const std::string& prompt, int buttons, int icon, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& initialDir) override;
  std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                             const std::string& initialDir) override;
  void PopupMenu(Menu& menu) override;
  std::string clipboardText() override { return clipboard_; }
  void setClipboardText(const std::string& text) override { clipboard_ = text; }
  void clearClipboard() override { clipboard_.clear(); }
  void Beep() override { ++beeps_; }
  void flashControl(const Control& control) override { flashes_.push_back(&control); }
  int mousePointer() const override { return pointer_; }
  void setMousePointer(int pointer) override;
  LocalTime now() const override { return now_; }
  int64_t tickMs() const override { return tick_; }
  void timerChanged(TimerControl& timer) override;
  void timerDestroyed(TimerControl& timer) override;
  int screenWidthPx() const override { return screenW_; }
  int screenHeightPx() const override { return screenH_; }
  Point cursorPos() const override { return cursor_; }
  Color sysColor(int index) const override;
  void openDocument(const std::string& path, std::function<void()> failed = {}) override;
  // Types what SendKeys queued, fires the timers due now and runs what waits
  // on a watched file descriptor that can be read.
  void DoEvents() override;
  // The clock moves on; no timer fires.
  void Sleep(int ms) override;
  void runModal(Form& form) override;
  void quit() override { quit_ = true; }
  void watchReadable(int fd, std::function<void()> ready) override;

 private:
  template <class T>
  T next(std::deque<T>& queue, const std::string& what);
  // Runs the failure handlers of the openers that have failed so far.
  void reportOpenerFailures();

  // Filled by the openers' reaper threads, emptied on the test's thread.
  struct Openers {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
    std::vector<std::function<void()>> failed;
  };

  std::deque<std::pair<int, MsgBoxCheck>> msgBoxAnswers_;
  std::deque<std::string> inputAnswers_;
  std::deque<std::optional<std::string>> folderAnswers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::deque<std::string> menuAnswers_;
  std::vector<std::pair<std::string, bool>> lastMenu_;
  std::vector<ShownMsgBox> shown_;
  std::deque<std::function<void()>> script_;
  std::vector<TimerControl*> timers_;
  std::vector<std::pair<int, std::function<void()>>> watched_;
  std::map<int, Color> sysColors_;
  std::vector<const Control*> flashes_;
  std::vector<std::string> opened_;
  std::vector<int> pointers_;
  std::vector<std::string> dialogFolders_;
  std::string clipboard_;
  LocalTime now_;
  int64_t tick_ = 0;
  int beeps_ = 0;
  int pointer_ = vbDefault;
  int screenW_ = 1024, screenH_ = 768;
  Point cursor_;
  bool quit_ = false;
  Opening opening_ = Opening::RecordOnly;
  // Shared with the reaper threads, which may outlive the desktop.
  std::shared_ptr<Openers> openers_ = std::make_shared<Openers>();
};

}  // namespace forms
