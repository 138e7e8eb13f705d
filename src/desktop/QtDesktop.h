#pragma once
// The windows on a real screen: the Qt 6 Widgets implementation of the form
// layer's Desktop. Every form and control gets a widget that follows its
// model; what the user does on the widgets enters the windows only through
// forms/UserInput.h, so keys, clicks and focus changes behave on screen as
// in the headless tests. Only this folder includes Qt.
#include <QElapsedTimer>
#include <QObject>
#include <QTranslator>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "desktop/QtFontEngine.h"
#include "forms/Application.h"
#include "forms/Desktop.h"

class QEventLoop;
class QTimer;
class QWidget;

namespace forms {
class Control;
class Element;
}  // namespace forms

namespace desktop {

class ElementView;
class FormView;

class QtDesktop : public QObject, public forms::Desktop, private forms::Application::Observer {
 public:
  // Needs a QApplication; installs the Qt font engine for as long as it lives.
  QtDesktop();
  ~QtDesktop() override;

  // Follows the forms of `app` from now on (call it before the first form
  // loads; runQtDesktop does).
  void attach(forms::Application& app);
  // Runs the event loop until End is called or no window is loaded any more;
  // the exit code.
  int exec();

  // The widget that shows a form or control, nullptr when it has none
  // (a timer, an element of a window that is not loaded).
  QWidget* widgetOf(const forms::Element& element) const;

  // Desktop
  int MsgBox(const std::string& prompt, int buttons, int icon, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& initialDir) override;
  std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter,
                                             const std::string& initialDir) override;
  void PopupMenu(forms::Menu& menu) override;
  std::string clipboardText() override;
  void setClipboardText(const std::string& text) override;
  void clearClipboard() override;
  void Beep() override;
  void flashControl(const forms::Control& control) override;
  int mousePointer() const override { return pointer_; }
  void setMousePointer(int pointer) override;
  forms::LocalTime now() const override;
  int64_t tickMs() const override { return clock_.elapsed(); }
  void timerChanged(forms::TimerControl& timer) override;
  void timerDestroyed(forms::TimerControl& timer) override;
  int screenWidthPx() const override;
  int screenHeightPx() const override;
  forms::Point cursorPos() const override;
  forms::Color sysColor(int index) const override;
  void openDocument(const std::string& path, std::function<void()> failed = {}) override;
  void DoEvents() override;
  void Sleep(int ms) override;
  void runModal(forms::Form& form) override;
  void quit() override;
  void watchReadable(int fd, std::function<void()> ready) override;

  // --- for the views ---
  // Runs an action of the user or the desktop: the keys it sent with SendKeys
  // are typed afterwards; an error of the windows' code is shown in a message
  // box instead of tearing through Qt.
  void deliver(const std::function<void()>& action);
  // The view of the container of `control` (its form, Frame or PictureBox).
  ElementView* containerView(const forms::Control& control) const;
  FormView* formView(const forms::Form& form) const;
  // A form was hidden or unloaded: modal loops that wait for it end.
  void checkModalLoops();
  bool isLoaded(const forms::Form& form) const { return loaded_.count(&form) != 0; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ModalLoop;

  // Application::Observer
  void formLoaded(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void controlAdded(forms::Control& control) override;
  void controlRemoved(forms::Control& control) override;

  ElementView* makeView(forms::Control& control);
  void dropView(forms::Element& element);
  ElementView* viewAt(QWidget* widget) const;
  bool routeKey(QEvent* event, forms::Form& form);
  void quitWhenNothingLoaded();

  // Where the openers' reaper threads post a failure: the desktop while it lives.
  struct OpenerMailbox {
    std::mutex mutex;
    QtDesktop* desktop = nullptr;
  };
  std::shared_ptr<OpenerMailbox> openers_ = std::make_shared<OpenerMailbox>();

  QtFontEngine fontEngine_;
  // Qt's own texts (standard dialogs, standard buttons) in Italian.
  QTranslator qtTexts_;
  forms::Application* app_ = nullptr;
  std::map<const forms::Element*, std::unique_ptr<ElementView>> views_;
  std::map<const QWidget*, ElementView*> byWidget_;
  std::set<const forms::Form*> loaded_;
  std::map<forms::TimerControl*, QTimer*> timers_;
  std::set<forms::TimerControl*> firing_;  // a tick does not re-enter its own handler
  std::vector<ModalLoop*> modalLoops_;
  QElapsedTimer clock_;
  int pointer_ = forms::vbDefault;
  bool running_ = false;
  bool quitting_ = false;
  bool elementsAlive_ = true;  // false once the application object has gone

  friend class ElementView;
};

// Runs the program on the Qt desktop: builds the QApplication, the desktop
// and, through `makeApp`, the program's application object, runs `start`
// (the start-up sequence), then the event loop. Returns the exit code.
int runQtDesktop(int argc, char** argv,
                 const std::function<std::unique_ptr<forms::Application>(forms::Desktop&)>& makeApp,
                 const std::function<void(forms::Application&)>& start);

}  // namespace desktop
